#pragma once

#include "common/RecordArchive.h"
#include "records/ReceiptRecord.h"

#include <QString>

// One year's receipts: <year>.ric in the program folder, a plain sequence of 1099-byte receipt
// records, kept through the shared record archive: every operation opens the file (creating it
// empty when it is missing), acts under the file's lock and closes it before returning; an existing
// file is never truncated or replaced, even when it cannot be opened. Records are addressed by
// 0-based index; the windows show index + 1 as the position.
class YearFile
{
public:
    // Program folder + the year text, trimmed, + ".ric".
    static QString pathFor(const QString &year);

    explicit YearFile(const QString &path) : m_archive(path, Receipt::layout()) {}
    const QString &path() const { return m_archive.path(); }

    // The year file as a record archive, for the shared record rules (browse, save).
    const RecordArchive &archive() const { return m_archive; }

    // Number of complete records (a trailing partial record is ignored), or -1 when the file
    // cannot be opened or created.
    qint64 count(QString *error = nullptr) const { return m_archive.count(error); }

    // Reads the record at `index`; fails beyond the last complete record.
    bool read(qint64 index, Receipt::Record &record, QString *error = nullptr) const;

    // Writes the record over the existing one at `index`. An index beyond the last complete record
    // is refused: an update never extends the file.
    bool write(qint64 index, const Receipt::Record &record, QString *error = nullptr) const
    {
        return m_archive.writeBytes(index, Receipt::encode(record), error);
    }

    // Appends the record after the last complete one; returns its index, or -1 on failure.
    qint64 append(const Receipt::Record &record, QString *error = nullptr) const
    {
        return m_archive.appendBytes(Receipt::encode(record), error);
    }

    // Reads every complete record in file order and hands the raw bytes of each
    // (Receipt::kRecordSize bytes) to `visit`; see RecordArchive::scan.
    bool scan(const RecordArchive::Visitor &visit, QString *error = nullptr,
              qint64 *failedIndex = nullptr) const
    {
        return m_archive.scan(visit, error, failedIndex);
    }

private:
    RecordArchive m_archive;
};
