#pragma once

#include "common/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// An archive of fixed-size records laid out by a RecordLayout, in the file at `path`. Every
// operation opens the file through RecordFile (creating it empty when missing), takes its lock,
// acts and closes it before returning: nothing stays open between user actions. Writes reach the
// disk before they report success; a failed write leaves the records before it intact.
class RecordArchive
{
public:
    RecordArchive(QString path, RecordLayout layout);

    const QString &path() const { return m_path; }
    const RecordLayout &layout() const { return m_layout; }

    // Number of complete records, or -1 when the file cannot be opened or created.
    qint64 count(QString *error = nullptr) const;

    // The raw bytes (layout().recordSize()) of the record at 0-based `index`.
    bool readBytes(qint64 index, QByteArray &bytes, QString *error = nullptr) const;
    // The record at `index`, decoded: one text per field.
    bool read(qint64 index, QStringList &texts, QString *error = nullptr) const;

    // Writes the record over the one at `index` (update in place). An index at or past the end
    // fails without writing: an update never makes the file longer. A write that fails gives the
    // system's error number in *errorNumber (see RecordFile::errorNumber) besides its reason.
    bool writeBytes(qint64 index, const QByteArray &bytes, QString *error = nullptr,
                    int *errorNumber = nullptr) const;
    bool write(qint64 index, const QStringList &texts, QString *error = nullptr) const;

    // Appends the record; returns its 0-based index, or -1 on failure. Counting and writing happen
    // under one exclusive lock, so two programs appending at once get two records.
    qint64 appendBytes(const QByteArray &bytes, QString *error = nullptr, int *errorNumber = nullptr) const;
    // Appends the record that `make` builds from the number of records in the file at that moment,
    // under the same exclusive lock: what depends on the count (a receipt's number) is decided when
    // the record is written, not before, so two programs never give two records the same one.
    using Maker = std::function<QByteArray(qint64 count)>;
    qint64 appendMade(const Maker &make, QString *error = nullptr, int *errorNumber = nullptr) const;
    qint64 append(const QStringList &texts, QString *error = nullptr) const;

    // Reads every record in index order, in large sequential blocks, and hands the raw bytes of
    // each to `visit`; visiting stops early when it returns false. False when the file cannot be
    // opened or a read fails (records visited so far stay visited); *failedIndex (when given) is
    // then the index of the first record that could not be read, -1 when the file did not open.
    // Work running under a ReadProgress (see ReadProgress::current) is told how far the scan has
    // come, and a cancelled one stops the scan, which then fails.
    using Visitor = std::function<bool(qint64 index, const char *record)>;
    bool scan(const Visitor &visit, QString *error = nullptr, qint64 *failedIndex = nullptr) const;

private:
    QString m_path;
    RecordLayout m_layout;
};
