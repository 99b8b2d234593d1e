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
#include <memory>

// The records of an archive as one block of bytes, shared by whoever holds it: the archive's file
// mapped read-only, or the bytes read into memory where the file cannot be mapped.
class RecordBlock
{
public:
    RecordBlock() = default;
    RecordBlock(std::shared_ptr<const char> mapped, qsizetype size)
        : m_data(std::move(mapped)), m_size(size), m_mapped(true)
    {
    }
    explicit RecordBlock(QByteArray bytes);

    const char *data() const { return m_data.get(); }
    qsizetype size() const { return m_data ? m_size : 0; }
    bool isEmpty() const { return size() == 0; }
    // The file mapped: its bytes are read through copyFromMapping, since the file may be cut
    // short behind them.
    bool isMapped() const { return m_mapped; }

private:
    std::shared_ptr<const char> m_data;
    qsizetype m_size = 0;
    bool m_mapped = false;
};

// The records of an archive as a table: a working copy that a grid shows and that may be changed
// in its editable columns, never written back. The records are held as their raw bytes (the
// archive mapped); a cell's text is decoded only when it is asked for, so a grid of a hundred
// thousand records costs little more than opening the archive. A changed cell keeps its new text beside the
// records. Without records the table has `blankRows` empty rows, whose editable cells take text as well.
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
    void setRecords(RecordBlock records);
    qint64 recordCount() const { return m_count; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of a cell as the grid shows it. A record that can no longer be read from the
    // mapped archive (the file was cut short behind the grid, or the disk failed) shows empty.
    QString text(int row, int column) const;
    // Whether a cell has been asked for that could not be read so; until new records are set.
    bool unreadable() const { return m_unreadable; }

private:
    RecordLayout m_layout;
    QList<Column> m_columns;
    int m_blankRows;
    RecordBlock m_records;
    qint64 m_count = 0;
    QHash<quint64, QString> m_changed; // row << 16 | column
    mutable bool m_unreadable = false;
};

// Every record of `archive` as one block: the file mapped, under its shared lock while it is
// counted and mapped. Where it cannot be mapped, the records are read in large sequential reads,
// stopping early, with the records read, when the read fails part way or `progress` (optional) is
// cancelled. A reading cancelled before it starts keeps nothing. An archive that cannot be opened
// gives an empty block and false.
bool readRecords(const RecordArchive &archive, RecordBlock &records, ReadProgress *progress = nullptr);
