#pragma once

#include "receipts/ReceiptRecord.h"

#include <QString>
#include <functional>

// One year's receipts: <year>.ric in the program folder, a plain sequence of 1099-byte receipt
// records. Every operation opens the file (creating it empty when it is missing), acts and closes
// it before returning; an existing file is never truncated or replaced, even when it cannot be
// opened. Records are addressed by 0-based index; the windows show index + 1 as the position.
class YearFile
{
public:
    // Program folder + the year text, trimmed, + ".ric".
    static QString pathFor(const QString &year);

    explicit YearFile(const QString &path) : m_path(path) {}
    const QString &path() const { return m_path; }

    // Number of complete records (a trailing partial record is ignored), or -1 when the file
    // cannot be opened or created.
    qint64 count(QString *error = nullptr) const;

    // Reads the record at `index`; fails beyond the last complete record.
    bool read(qint64 index, Receipt::Record &record, QString *error = nullptr) const;

    // Writes the record over the existing one at `index`, in one flushed write under an exclusive
    // lock. An index beyond the last complete record is refused: an update never extends the file.
    bool write(qint64 index, const Receipt::Record &record, QString *error = nullptr) const;

    // Appends the record after the last complete one; returns its index, or -1 on failure.
    // Counting and writing happen under one exclusive lock; a failed write leaves no partial record.
    qint64 append(const Receipt::Record &record, QString *error = nullptr) const;

    // Reads every complete record in file order, in large blocks, and hands the raw bytes of each
    // (Receipt::kRecordSize bytes) to `visit`; visiting stops early when it returns false.
    // Returns false when the file cannot be opened or a read fails; *failedIndex (when given) is
    // then the index of the first record that could not be read (-1 when the file did not open).
    bool scan(const std::function<bool(qint64 index, const char *record)> &visit, QString *error = nullptr,
              qint64 *failedIndex = nullptr) const;

private:
    QString m_path;
};
