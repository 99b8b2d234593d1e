#include "common/RecordArchive.h"

#include "common/ReadProgress.h"
#include "common/RecordFile.h"

#include <QtGlobal>

#include <cerrno>

namespace {
bool report(const RecordFile &f, QString *error, int *errorNumber = nullptr)
{
    if (error)
        *error = f.errorString();
    if (errorNumber)
        *errorNumber = f.errorNumber();
    return false;
}

bool report(const QString &text, QString *error, int *errorNumber = nullptr, int number = 0)
{
    if (error)
        *error = text;
    if (errorNumber)
        *errorNumber = number;
    return false;
}
} // namespace

RecordArchive::RecordArchive(QString path, RecordLayout layout) : m_path(std::move(path)), m_layout(layout) {}

qint64 RecordArchive::count(QString *error) const
{
    RecordFile f(m_path, m_layout.recordSize());
    if (!f.open(RecordFile::Access::Read)) {
        report(f, error);
        return -1;
    }
    const qint64 n = f.count();
    if (n < 0)
        report(f, error);
    return n;
}

bool RecordArchive::readBytes(qint64 index, QByteArray &bytes, QString *error) const
{
    RecordFile f(m_path, m_layout.recordSize());
    if (!f.open(RecordFile::Access::Read) || !f.read(index, bytes))
        return report(f, error);
    return true;
}

bool RecordArchive::read(qint64 index, QStringList &texts, QString *error) const
{
    QByteArray bytes;
    if (!readBytes(index, bytes, error))
        return false;
    texts = decodeRecord(m_layout, bytes);
    return true;
}

bool RecordArchive::writeBytes(qint64 index, const QByteArray &bytes, QString *error, int *errorNumber) const
{
    RecordFile f(m_path, m_layout.recordSize());
    if (!f.open(RecordFile::Access::Write))
        return report(f, error, errorNumber);
    // Under the exclusive lock: the record must still be there. Writing past the end would leave a
    // gap of zero-filled records in between.
    const qint64 n = f.count();
    if (n < 0)
        return report(f, error, errorNumber);
    if (index < 0 || index >= n)
        return report(QStringLiteral("write: no record at that position"), error, errorNumber, EINVAL);
    if (!f.write(index, bytes))
        return report(f, error, errorNumber);
    return true;
}

bool RecordArchive::write(qint64 index, const QStringList &texts, QString *error) const
{
    return writeBytes(index, encodeRecord(m_layout, texts), error);
}

qint64 RecordArchive::appendBytes(const QByteArray &bytes, QString *error, int *errorNumber) const
{
    return appendMade([&bytes](qint64) { return bytes; }, error, errorNumber);
}

qint64 RecordArchive::appendMade(const Maker &make, QString *error, int *errorNumber) const
{
    RecordFile f(m_path, m_layout.recordSize());
    if (!f.open(RecordFile::Access::Write)) {
        report(f, error, errorNumber);
        return -1;
    }
    const qint64 count = f.count();
    if (count < 0) {
        report(f, error, errorNumber);
        return -1;
    }
    const qint64 index = f.append(make(count));
    if (index < 0)
        report(f, error, errorNumber);
    return index;
}

qint64 RecordArchive::append(const QStringList &texts, QString *error) const
{
    return appendBytes(encodeRecord(m_layout, texts), error);
}

bool RecordArchive::scan(const Visitor &visit, QString *error, qint64 *failedIndex) const
{
    if (failedIndex)
        *failedIndex = -1;
    const qint64 size = m_layout.recordSize();
    RecordFile f(m_path, int(size));
    if (!f.open(RecordFile::Access::Read))
        return report(f, error);
    const qint64 total = f.count();
    if (total < 0)
        return report(f, error);
    // Long work on a thread of its own follows the scan, and may stop it.
    ReadProgress *progress = ReadProgress::current();
    if (progress)
        progress->total = total;
    const auto stopped = [progress](qint64 index) {
        if (!progress || (index & 0xFFF) != 0)
            return false;
        progress->done = index;
        return progress->cancelled.load();
    };
    // Read in blocks of about 1.6 MB into one buffer used again for each: the records pass through
    // the processor's cache, with no new memory to fill (mapping the file measured slower, and
    // would turn a disk's read error into the end of the program).
    const qint64 block = qMax<qint64>(1, (1600 * 1024) / qMax<qint64>(1, size));
    QByteArray bytes;
    for (qint64 first = 0; first < total; first += block) {
        const qint64 want = qMin(block, total - first);
        const qint64 got = f.readMany(first, want, bytes);
        if (got < 0) {
            if (failedIndex)
                *failedIndex = first;
            return report(f, error);
        }
        for (qint64 i = 0; i < got; ++i) {
            if (stopped(first + i))
                return report(QStringLiteral("read: stopped by the user"), error);
            if (!visit(first + i, bytes.constData() + i * size))
                return true;
        }
        if (got < want) {
            if (failedIndex)
                *failedIndex = first + got;
            return report(QStringLiteral("read: the file shrank while it was read"), error);
        }
    }
    return true;
}
