#include "members/MemberArchive.h"

#include "common/ProgramFolder.h"
#include "common/RecordFile.h"

namespace MemberArchive {

namespace {
bool report(const RecordFile &f, QString *error)
{
    if (error)
        *error = f.errorString();
    return false;
}
} // namespace

QString filePath() { return programFolder() + QStringLiteral("Archivio_Iscritti.pro"); }
QString photoFolder() { return programFolder() + QStringLiteral("Anagrafica/"); }
QString photoPath(const QString &position)
{
    return photoFolder() + QStringLiteral("Scheda_Iscritto_") + position.trimmed() + QStringLiteral(".jpg");
}
QString attachmentsFolder() { return programFolder() + QStringLiteral("Documenti_Allegati/"); }
QString attachmentPath(const QString &name) { return attachmentsFolder() + name; }

qint64 count(QString *error)
{
    RecordFile f(filePath(), Member::kRecordSize);
    if (!f.open(RecordFile::Access::Read)) {
        report(f, error);
        return -1;
    }
    const qint64 n = f.count();
    if (n < 0)
        report(f, error);
    return n;
}

bool read(qint64 index, Member::Record &record, QString *error)
{
    RecordFile f(filePath(), Member::kRecordSize);
    QByteArray bytes;
    if (!f.open(RecordFile::Access::Read) || !f.read(index, bytes))
        return report(f, error);
    record = Member::decode(bytes);
    return true;
}

bool write(qint64 index, const Member::Record &record, QString *error)
{
    RecordFile f(filePath(), Member::kRecordSize);
    if (!f.open(RecordFile::Access::Write) || !f.write(index, Member::encode(record)))
        return report(f, error);
    return true;
}

qint64 append(const Member::Record &record, QString *error)
{
    RecordFile f(filePath(), Member::kRecordSize);
    if (!f.open(RecordFile::Access::Write)) {
        report(f, error);
        return -1;
    }
    const qint64 index = f.append(Member::encode(record));
    if (index < 0)
        report(f, error);
    return index;
}

bool scan(const std::function<bool(qint64 index, const char *record)> &visit, QString *error)
{
    RecordFile f(filePath(), Member::kRecordSize);
    if (!f.open(RecordFile::Access::Read))
        return report(f, error);
    const qint64 total = f.count();
    if (total < 0)
        return report(f, error);
    constexpr qint64 kBlock = 512; // about 1.6 MB per read
    QByteArray block;
    for (qint64 first = 0; first < total; first += kBlock) {
        const qint64 got = f.readMany(first, qMin(kBlock, total - first), block);
        if (got < 0)
            return report(f, error);
        for (qint64 i = 0; i < got; ++i)
            if (!visit(first + i, block.constData() + i * Member::kRecordSize))
                return true;
        if (got < qMin(kBlock, total - first)) {
            if (error)
                *error = QStringLiteral("read: the file shrank while it was read");
            return false;
        }
    }
    return true;
}

} // namespace MemberArchive
