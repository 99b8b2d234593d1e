#include "receipts/YearFile.h"

#include "common/ProgramFolder.h"
#include "common/RecordFile.h"
#include "common/TextUtil.h"

namespace {
bool report(const RecordFile &f, QString *error)
{
    if (error)
        *error = f.errorString();
    return false;
}
} // namespace

QString YearFile::pathFor(const QString &year)
{
    return programFolder() + trimBlanks(year) + QStringLiteral(".ric");
}

qint64 YearFile::count(QString *error) const
{
    RecordFile f(m_path, Receipt::kRecordSize);
    if (!f.open(RecordFile::Access::Read)) {
        report(f, error);
        return -1;
    }
    const qint64 n = f.count();
    if (n < 0)
        report(f, error);
    return n;
}

bool YearFile::read(qint64 index, Receipt::Record &record, QString *error) const
{
    RecordFile f(m_path, Receipt::kRecordSize);
    QByteArray bytes;
    if (!f.open(RecordFile::Access::Read) || !f.read(index, bytes))
        return report(f, error);
    record = Receipt::decode(bytes);
    return true;
}

bool YearFile::write(qint64 index, const Receipt::Record &record, QString *error) const
{
    RecordFile f(m_path, Receipt::kRecordSize);
    if (!f.open(RecordFile::Access::Write))
        return report(f, error);
    const qint64 n = f.count();
    if (n < 0)
        return report(f, error);
    if (index < 0 || index >= n) {
        if (error)
            *error = QStringLiteral("write: no receipt at index %1 (%2 in the file)").arg(index).arg(n);
        return false;
    }
    if (!f.write(index, Receipt::encode(record)))
        return report(f, error);
    return true;
}

qint64 YearFile::append(const Receipt::Record &record, QString *error) const
{
    RecordFile f(m_path, Receipt::kRecordSize);
    if (!f.open(RecordFile::Access::Write)) {
        report(f, error);
        return -1;
    }
    const qint64 index = f.append(Receipt::encode(record));
    if (index < 0)
        report(f, error);
    return index;
}

bool YearFile::scan(const std::function<bool(qint64 index, const char *record)> &visit, QString *error,
                    qint64 *failedIndex) const
{
    if (failedIndex)
        *failedIndex = -1;
    RecordFile f(m_path, Receipt::kRecordSize);
    if (!f.open(RecordFile::Access::Read))
        return report(f, error);
    const qint64 total = f.count();
    if (total < 0)
        return report(f, error);
    constexpr qint64 kBlock = 1024; // about 1.1 MB per read
    QByteArray block;
    for (qint64 first = 0; first < total; first += kBlock) {
        const qint64 wanted = qMin(kBlock, total - first);
        const qint64 got = f.readMany(first, wanted, block);
        if (got < 0) {
            if (failedIndex)
                *failedIndex = first;
            return report(f, error);
        }
        for (qint64 i = 0; i < got; ++i)
            if (!visit(first + i, block.constData() + i * Receipt::kRecordSize))
                return true;
        if (got < wanted) {
            if (failedIndex)
                *failedIndex = first + got;
            if (error)
                *error = QStringLiteral("read: the file shrank while it was read");
            return false;
        }
    }
    return true;
}
