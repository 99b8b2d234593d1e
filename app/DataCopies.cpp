#include "app/DataCopies.h"

#include "common/RecordFile.h"
#include "records/MemberRecord.h"
#include "records/ReceiptRecord.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace DataCopies {

namespace {

const QString kFolderName = QStringLiteral("Copie di sicurezza");
const QString kStampFormat = QStringLiteral("yyyy-MM-dd_hh-mm-ss");
const QString kPartial = QStringLiteral(".parziale");
constexpr int kNewestKept = 10;
constexpr int kMonthsKept = 12;

const char *const kSingleFiles[] = {"Archivio_Iscritti.pro", "Ricevute_Generiche.ini", "Tesserini.ini",
                                    "Logo.bmp", "unins000.dll"};
const char *const kFolders[] = {"Anagrafica", "Documenti_Allegati"};

// The files of the program that hold fixed-size records, with their record size: they are read
// under the program's lock.
int recordSizeOf(const QString &relative)
{
    if (relative == QLatin1String("Archivio_Iscritti.pro"))
        return Member::kRecordSize;
    static const QRegularExpression yearFile(QStringLiteral("^\\d{4}\\.ric$"));
    return yearFile.match(relative).hasMatch() ? Receipt::kRecordSize : 0;
}

// Size and modification time: what says that a file changed.
struct Stamp
{
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const Stamp &o) const { return size == o.size && modified == o.modified; }
};
using Stamps = QMap<QString, Stamp>; // by path relative to the copied folder

Stamp stampOf(const QFileInfo &info)
{
    return {info.size(), info.lastModified()};
}

Stamps stampsOf(const QString &root, const QStringList &relatives)
{
    Stamps stamps;
    for (const QString &r : relatives) {
        const QFileInfo info(root + r);
        if (info.isFile())
            stamps.insert(r, stampOf(info));
    }
    return stamps;
}

QStringList filesBelow(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(root).relativeFilePath(it.next());
    found.sort();
    return found;
}

// The copy folders, oldest first, by the time in their names.
QList<QPair<QDateTime, QString>> copiesOf(const QString &programFolder)
{
    QList<QPair<QDateTime, QString>> copies;
    const QStringList names = QDir(copiesFolder(programFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QDateTime when = QDateTime::fromString(name, kStampFormat);
        if (when.isValid())
            copies.append({when, name});
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool fail(QString *reason, const QString &what, const QString &path, const QString &detail)
{
    *reason = what + QStringLiteral(" ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") + detail;
    return false;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Copies `from` to `to` byte for byte, flushed to disk, with the source's modification time.
bool copyFile(const QString &from, const QString &to, QString *reason)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly))
        return fail(reason, QStringLiteral("lettura di"), from, in.errorString());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(reason, QStringLiteral("scrittura di"), to, out.errorString());
    QByteArray block;
    while (!(block = in.read(1 << 20)).isEmpty()) {
        if (out.write(block) != block.size())
            return fail(reason, QStringLiteral("scrittura di"), to, out.errorString());
    }
    if (in.error() != QFileDevice::NoError)
        return fail(reason, QStringLiteral("lettura di"), from, in.errorString());
    if (!out.flush())
        return fail(reason, QStringLiteral("scrittura di"), to, out.errorString());
    if (::fsync(out.handle()) != 0)
        return fail(reason, QStringLiteral("scrittura di"), to, systemError());
    out.setFileTime(QFileInfo(from).lastModified(), QFileDevice::FileModificationTime);
    out.close();
    return true;
}

// One file of the copy: a hard link to the newer copy's file when the file has not changed since,
// else a copy (a record file under the program's lock, so no save is copied halfway).
bool copyOne(const QString &programFolder, const QString &relative, const QString &target,
             const QString &previous, bool unchanged, QString *reason)
{
    const QString to = target + relative;
    if (!QDir().mkpath(QFileInfo(to).absolutePath()))
        return fail(reason, QStringLiteral("creazione della cartella"), QFileInfo(to).absolutePath(),
                    systemError());
    if (unchanged &&
        ::link(QFile::encodeName(previous + relative).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    const QString from = programFolder + relative;
    const int recordSize = recordSizeOf(relative);
    if (recordSize == 0)
        return copyFile(from, to, reason);
    RecordFile locked(from, recordSize);
    if (!locked.open(RecordFile::Access::Read))
        return fail(reason, QStringLiteral("lettura di"), from, locked.errorString());
    return copyFile(from, to, reason);
}

} // namespace

QString copiesFolder(const QString &programFolder)
{
    return programFolder + kFolderName + QLatin1Char('/');
}

QStringList dataFiles(const QString &programFolder)
{
    QStringList files;
    for (const char *name : kSingleFiles)
        files << QLatin1String(name);
    const QStringList years =
        QDir(programFolder).entryList({QStringLiteral("*.ric")}, QDir::Files, QDir::Name);
    for (const QString &year : years)
        if (recordSizeOf(year) != 0)
            files << year;
    for (const char *folder : kFolders)
        for (const QString &below : filesBelow(programFolder + QLatin1String(folder)))
            files << QLatin1String(folder) + QLatin1Char('/') + below;
    return files;
}

Result makeCopy(const QString &programFolder, const QDateTime &now, const std::atomic_bool *cancel)
{
    const Stamps current = stampsOf(programFolder, dataFiles(programFolder));
    const QList<QPair<QDateTime, QString>> copies = copiesOf(programFolder);
    QString previous;
    Stamps before;
    if (!copies.isEmpty()) {
        previous = copiesFolder(programFolder) + copies.last().second + QLatin1Char('/');
        before = stampsOf(previous, filesBelow(previous));
        if (before == current)
            return {Result::Outcome::Unchanged, previous, QString()};
    }
    if (current.isEmpty())
        return {Result::Outcome::Unchanged, QString(), QString()};

    const QString name = now.toString(kStampFormat);
    const QString finalFolder = copiesFolder(programFolder) + name + QLatin1Char('/');
    const QString partial = copiesFolder(programFolder) + name + kPartial + QLatin1Char('/');
    QDir(partial).removeRecursively();
    Result result{Result::Outcome::Made, finalFolder, QString()};
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        if (cancel && cancel->load()) {
            result.outcome = Result::Outcome::Cancelled;
            break;
        }
        const bool unchanged = before.value(it.key()) == it.value();
        if (!copyOne(programFolder, it.key(), partial, previous, unchanged, &result.reason)) {
            result.outcome = Result::Outcome::Failed;
            break;
        }
    }
    if (result.outcome == Result::Outcome::Made && !QDir().rename(partial, finalFolder)) {
        fail(&result.reason, QStringLiteral("completamento della copia"), finalFolder, systemError());
        result.outcome = Result::Outcome::Failed;
    }
    if (result.outcome != Result::Outcome::Made) {
        QDir(partial).removeRecursively();
        result.folder.clear();
        return result;
    }
    pruneCopies(programFolder, now);
    return result;
}

QStringList pruneCopies(const QString &programFolder, const QDateTime &now)
{
    const QList<QPair<QDateTime, QString>> copies = copiesOf(programFolder);
    QStringList kept;
    for (qsizetype i = copies.size() - 1; i >= 0 && kept.size() < kNewestKept; --i)
        kept << copies[i].second;
    const QDate thisMonth(now.date().year(), now.date().month(), 1);
    for (int m = 0; m < kMonthsKept; ++m) {
        const QDate month = thisMonth.addMonths(-m);
        for (qsizetype i = copies.size() - 1; i >= 0; --i) {
            const QDate d = copies[i].first.date();
            if (d.year() == month.year() && d.month() == month.month()) {
                kept << copies[i].second;
                break;
            }
        }
    }
    QStringList removed;
    for (const auto &copy : copies) {
        if (kept.contains(copy.second))
            continue;
        if (QDir(copiesFolder(programFolder) + copy.second).removeRecursively())
            removed << copy.second;
    }
    return removed;
}

QString failureMessage(const QString &reason)
{
    return QStringLiteral(
               "Attenzione: la copia di sicurezza automatica dei dati non è stata eseguita.\n\r\n\r"
               "Causa: ") +
           reason + QStringLiteral("\n\r\n\rI dati del programma non sono stati modificati.");
}

} // namespace DataCopies
