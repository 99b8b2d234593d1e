#pragma once

#include "common/ReadProgress.h"
#include "common/RecordArchive.h"
#include "common/RecordLayout.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

// The records of an archive as a table: a working copy that a grid shows and that may be changed
// in its editable columns, never written back. The records are held as their raw bytes, read once;
// a cell's text is decoded only when it is asked for, so a grid of a hundred thousand records
// costs little more than reading them. A changed cell keeps its new text beside the records.
// Without records the table has `blankRows` empty rows, whose editable cells take text as well.
class RecordTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString header;
        int field; // the record field shown; -1 numbers the rows (1, 2, ...)
        bool editable;
    };

    RecordTable(const RecordLayout &layout, QList<Column> columns, int blankRows, QObject *parent = nullptr);

    // The records read, one after the other (a whole number of records); the changes made so far
    // are dropped.
    void setRecords(QByteArray records);
    qint64 recordCount() const { return m_count; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of a cell as the grid shows it.
    QString text(int row, int column) const;

private:
    RecordLayout m_layout;
    QList<Column> m_columns;
    int m_blankRows;
    QByteArray m_records;
    qint64 m_count = 0;
    QHash<quint64, QString> m_changed; // row << 16 | column
};

// Reads every record of `archive` into one block of bytes, in large sequential reads. Stops early,
// keeping the records read, when the read fails part way or `progress` (optional) is cancelled.
// An archive that cannot be opened gives an empty block and false.
bool readRecords(const RecordArchive &archive, QByteArray &records, ReadProgress *progress = nullptr);
