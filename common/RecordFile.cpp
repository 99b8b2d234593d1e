#include "common/RecordFile.h"

#include "common/FileLock.h"
#include "common/SystemError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The rollback journal of an update in place: the record's old bytes and where they were, kept
// beside the file while the new bytes are written over them. The kernel may write a record in
// several pieces, and a program killed (or a machine losing power) between them would leave a
// record half new and half old; the next open puts the old bytes back, so every record is always
// either as it was or as it was saved.
//   "CVJ1", offset (8 bytes), length (4 bytes), the old bytes, checksum of all before it (4 bytes)
const QByteArray kJournalMagic = QByteArrayLiteral("CVJ1");
constexpr int kJournalHeader = 4 + 8 + 4;

quint32 checksum(const QByteArray &bytes)
{
    quint32 h = 2166136261u; // FNV-1a
    for (const char c : bytes)
        h = (h ^ quint8(c)) * 16777619u;
    return h;
}

void putNumber(QByteArray &out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

quint64 number(const QByteArray &in, int at, int bytes)
{
    quint64 value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= quint64(quint8(in.at(at + i))) << (8 * i);
    return value;
}

bool writeAll(int fd, const char *data, qint64 size, qint64 offset)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t put = ::pwrite(fd, data + done, size_t(size - done), off_t(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        done += put;
    }
    return true;
}

// Makes a file's creation or removal in `folder` durable.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

RecordFile::RecordFile(const QString &path, int recordSize) : m_path(path), m_recordSize(recordSize) {}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::fail(const QString &what) const
{
    m_errorNumber = errno;
    m_error = what + QStringLiteral(": ") + SystemError::text(m_errorNumber);
    return false;
}

bool RecordFile::lock(int operation)
{
    if (FileLock::take(m_fd, operation))
        return true;
    fail(QStringLiteral("lock"));
    close();
    return false;
}

bool RecordFile::open(Access access)
{
    close();
    m_errorNumber = 0;
    const QByteArray name = QFile::encodeName(m_path);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0 && access == Access::Read && (errno == EACCES || errno == EROFS))
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC); // an existing file in a read-only place
    if (m_fd < 0)
        return fail(QStringLiteral("open"));
    const int wanted = access == Access::Write ? LOCK_EX : LOCK_SH;
    if (!lock(wanted))
        return false;
    // A writer holds its exclusive lock from before it makes its journal until after it removes
    // it, so a journal seen under a lock belongs to an update that was cut short; one seen before
    // the lock may be the journal of a save still under way, gone by the time the lock is had.
    if (!QFile::exists(journalPath()))
        return true;
    // The roll-back needs the exclusive lock; a reader keeps it for the rest of this open. Taking
    // it lets the shared lock go for a moment, in which another save may run whole, or be cut
    // short as well: what is found once it is held is what counts.
    if (wanted == LOCK_SH && !lock(LOCK_EX))
        return false;
    if (!rollBack()) {
        close();
        return false;
    }
    return true;
}

QString RecordFile::journalPath() const
{
    return m_path + QStringLiteral(".journal");
}

QString RecordFile::folder() const
{
    const qsizetype slash = m_path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QStringLiteral(".") : m_path.left(slash + 1);
}

bool RecordFile::rollBack()
{
    QFile journal(journalPath());
    if (!journal.open(QIODevice::ReadOnly)) {
        // Gone since it was seen: another copy of the program rolled it back while this one waited
        // for the exclusive lock, and nothing is left to undo.
        if (!QFile::exists(journalPath()))
            return true;
        return fail(QStringLiteral("journal"));
    }
    const QByteArray bytes = journal.readAll();
    journal.close();
    // A journal not complete on disk was written before its update began: the file is whole.
    const bool complete = bytes.size() >= kJournalHeader + 4 && bytes.startsWith(kJournalMagic) &&
                          qint64(number(bytes, 12, 4)) == bytes.size() - kJournalHeader - 4 &&
                          number(bytes, bytes.size() - 4, 4) == checksum(bytes.chopped(4));
    if (complete) {
        const qint64 offset = qint64(number(bytes, 4, 8));
        const QByteArray old = bytes.mid(kJournalHeader, bytes.size() - kJournalHeader - 4);
        if (!writeAll(m_fd, old.constData(), old.size(), offset))
            return fail(QStringLiteral("journal"));
        if (::fdatasync(m_fd) != 0)
            return fail(QStringLiteral("sync"));
    }
    if (!QFile::remove(journalPath()))
        return fail(QStringLiteral("journal"));
    syncFolder(folder());
    return true;
}

bool RecordFile::writeJournal(qint64 offset, const QByteArray &old)
{
    QByteArray bytes = kJournalMagic;
    putNumber(bytes, quint64(offset), 8);
    putNumber(bytes, quint64(old.size()), 4);
    bytes.append(old);
    putNumber(bytes, checksum(bytes), 4);
    const int fd =
        ::open(QFile::encodeName(journalPath()).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(QStringLiteral("journal"));
    const bool written = writeAll(fd, bytes.constData(), bytes.size(), 0) && ::fdatasync(fd) == 0;
    const int reason = errno;
    ::close(fd);
    if (!written) {
        QFile::remove(journalPath());
        errno = reason;
        return fail(QStringLiteral("journal"));
    }
    syncFolder(folder());
    return true;
}

void RecordFile::close()
{
    if (m_fd >= 0) {
        ::close(m_fd); // also releases the lock
        m_fd = -1;
    }
}

qint64 RecordFile::count() const
{
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        fail(QStringLiteral("stat"));
        return -1;
    }
    return qint64(st.st_size) / m_recordSize;
}

qint64 RecordFile::readMany(qint64 first, qint64 n, QByteArray &out) const
{
    out.resize(qsizetype(n * m_recordSize));
    const qint64 records = readInto(first, n, out.data());
    out.resize(qsizetype(qMax<qint64>(0, records) * m_recordSize));
    return records;
}

std::shared_ptr<const char> RecordFile::mapLasting(qint64 n) const
{
    if (m_fd < 0 || n <= 0)
        return nullptr;
    const size_t size = size_t(n) * size_t(m_recordSize);
    void *at = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, m_fd, 0);
    if (at == MAP_FAILED)
        return nullptr;
    return std::shared_ptr<const char>(static_cast<const char *>(at),
                                       [size](const char *p) { ::munmap(const_cast<char *>(p), size); });
}

qint64 RecordFile::readInto(qint64 first, qint64 n, char *out) const
{
    qint64 done = 0;
    const qint64 want = n * m_recordSize;
    while (done < want) {
        const ssize_t got =
            ::pread(m_fd, out + done, size_t(want - done), off_t(first * m_recordSize + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(QStringLiteral("read"));
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return done / m_recordSize;
}

bool RecordFile::read(qint64 index, QByteArray &out) const
{
    if (index < 0) {
        m_error = QStringLiteral("read: negative index");
        m_errorNumber = EINVAL;
        return false;
    }
    const qint64 got = readMany(index, 1, out);
    if (got != 1) {
        if (got == 0) {
            m_error = QStringLiteral("read: beyond the last record");
            m_errorNumber = EINVAL;
        }
        return false;
    }
    return true;
}

bool RecordFile::write(qint64 index, const QByteArray &record)
{
    if (record.size() != m_recordSize || index < 0) {
        m_error = QStringLiteral("write: bad record");
        m_errorNumber = EINVAL;
        return false;
    }
    // A record that exists is updated under the journal; one after the last is new, and a new
    // record cut short is an incomplete tail that no count includes.
    const qint64 records = count();
    if (records < 0)
        return false;
    bool update = index < records;
    if (update) {
        QByteArray old;
        if (!read(index, old))
            return false;
        // A folder that takes no new file (while the file itself is writable) is written without
        // the journal, as the program always did there.
        if (!writeJournal(index * m_recordSize, old)) {
            if (errno != EACCES && errno != EROFS)
                return false;
            update = false;
        }
    }
    if (!writeAll(m_fd, record.constData(), m_recordSize, index * m_recordSize))
        return fail(QStringLiteral("write"));
    if (::fdatasync(m_fd) != 0)
        return fail(QStringLiteral("sync"));
    if (update) {
        // Once the record is on disk the journal goes; should it stay (the program ending right
        // here), the next open puts the old record back, as if this save had not happened.
        if (!QFile::remove(journalPath()))
            return fail(QStringLiteral("journal"));
        syncFolder(folder());
    }
    return true;
}

qint64 RecordFile::append(const QByteArray &record)
{
    const qint64 n = count();
    if (n < 0)
        return -1;
    if (!write(n, record)) {
        // A short write at the end must not leave a partial record that later counts as one.
        if (::ftruncate(m_fd, off_t(n * m_recordSize)) != 0) {
            // nothing more to do: the count ignores an incomplete tail anyway
        }
        return -1;
    }
    return n;
}
