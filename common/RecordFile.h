#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A file of fixed-size records without header, addressed by 0-based index. It is opened for one
// operation and closed when the object goes out of scope (or by close()); nothing stays open
// between user actions. While open it holds an advisory lock (shared for reading, exclusive for
// writing), so two copies of the program on the same folder never interleave a count and a write.
// An update in place that was cut short (the program killed, the power lost) is rolled back by the
// next open, so a record is never left half new and half old.
class RecordFile
{
public:
    enum class Access
    {
        Read,
        Write
    };

    RecordFile(const QString &path, int recordSize);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Opens the file, creating it empty when it is missing (readers included).
    bool open(Access access);
    void close();

    // Number of complete records; an incomplete tail is ignored.
    qint64 count() const;

    // Reads record `index` into `out` (exactly one record). Fails beyond the last record.
    bool read(qint64 index, QByteArray &out) const;
    // Reads up to `n` records from `first` into `out`; returns the number of records read, -1 on error.
    qint64 readMany(qint64 first, qint64 n, QByteArray &out) const;
    // The same into `out`, room for `n` records that the caller gives.
    qint64 readInto(qint64 first, qint64 n, char *out) const;
    // The first `n` records mapped read-only for as long as the returned pointer is held, after the
    // file is closed and its lock let go; null when the system cannot map them. Since this
    // program only ever writes records in place or appends them, the records mapped stay there
    // (a write by another instance shows through).
    std::shared_ptr<const char> mapLasting(qint64 n) const;

    // Writes one whole record at `index` and flushes it to disk. Updating a record that exists is
    // atomic: its old bytes go to a journal beside the file first (see rollBack()).
    bool write(qint64 index, const QByteArray &record);
    // Writes the record after the last complete one; returns its index, or -1 on failure.
    qint64 append(const QByteArray &record);

    int recordSize() const { return m_recordSize; }
    const QString &path() const { return m_path; }
    const QString &errorString() const { return m_error; }
    // The system's error number of the last failure (an errno value), 0 when it had none.
    int errorNumber() const { return m_errorNumber; }

    // The journal of an update in place: the file's path + ".journal", there only while an update
    // is under way or after one was cut short.
    QString journalPath() const;

private:
    bool fail(const QString &what) const;
    // Takes flock() `operation` on the open file; on failure closes it and fails.
    bool lock(int operation);
    QString folder() const;
    // Puts back the old bytes of an update that was cut short and removes the journal.
    bool rollBack();
    bool writeJournal(qint64 offset, const QByteArray &old);

    QString m_path;
    int m_recordSize;
    int m_fd = -1;
    mutable QString m_error;
    mutable int m_errorNumber = 0;
};
