#include "app/DataCopies.h"

#include "common/FileLock.h"
#include "common/RecordFile.h"
#include "common/SystemError.h"
#include "records/MemberRecord.h"
#include "records/ReceiptRecord.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <memory>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

bool fail(QString *reason, const QString &what, const QString &path, int number)
{
    *reason = what + QStringLiteral(" ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
              SystemError::text(number);
    return false;
}

// Creates `folder` and the folders above it that are missing; false, with errno set, when one
// cannot be made.
bool makeFolders(const QString &folder)
{
    const QString path = QDir::cleanPath(folder);
    if (QFileInfo(path).isDir())
        return true;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !makeFolders(path.left(slash)))
        return false;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return true;
    if (errno != EEXIST)
        return false;
    if (QFileInfo(path).isDir()) // made meanwhile by another copy of the program
        return true;
    errno = ENOTDIR;
    return false;
}

// Copies `from` to `to` byte for byte, flushed to disk, with the source's modification time.
bool copyFile(const QString &from, const QString &to, QString *reason)
{
    QFile in(from);
    QFile out(to);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        return fail(reason, QStringLiteral("lettura di"), from, errno);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(reason, QStringLiteral("scrittura di"), to, errno);
    QByteArray block;
    for (;;) {
        errno = 0;
        block = in.read(1 << 20);
        if (block.isEmpty())
            break;
        errno = 0;
        if (out.write(block) != block.size())
            return fail(reason, QStringLiteral("scrittura di"), to, errno);
    }
    if (in.error() != QFileDevice::NoError)
        return fail(reason, QStringLiteral("lettura di"), from, errno);
    errno = 0;
    if (!out.flush() || ::fsync(out.handle()) != 0)
        return fail(reason, QStringLiteral("scrittura di"), to, errno);
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
    const QString folder = QFileInfo(to).absolutePath();
    if (!makeFolders(folder))
        return fail(reason, QStringLiteral("creazione della cartella"), folder, errno);
    if (unchanged &&
        ::link(QFile::encodeName(previous + relative).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    const QString from = programFolder + relative;
    const int recordSize = recordSizeOf(relative);
    if (recordSize == 0)
        return copyFile(from, to, reason);
    RecordFile locked(from, recordSize);
    if (!locked.open(RecordFile::Access::Read))
        return fail(reason, QStringLiteral("lettura di"), from, locked.errorNumber());
    return copyFile(from, to, reason);
}

// The lock a copy under way holds on its partial folder, from just after making it until it is
// renamed or removed: a partial folder whose lock is free belongs to a copy that was cut short
// (the program killed, the machine switched off) and that nothing will finish.
class PartialLock
{
public:
    // Takes the lock on `folder` without waiting.
    explicit PartialLock(const QString &folder)
    {
        m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            ::close(m_fd);
            m_fd = -1;
            m_busy = true;
        }
    }
    ~PartialLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // also lets the lock go
    }
    PartialLock(const PartialLock &) = delete;
    PartialLock &operator=(const PartialLock &) = delete;

    // Another copy under way holds the folder.
    bool isBusy() const { return m_busy; }

private:
    int m_fd = -1;
    bool m_busy = false;
};

// Removes the partial folders that no copy under way holds. The caller holds the copies folder's
// lock, which a copy also holds while it makes its partial folder and takes its lock.
// Makes the partial folder `partial` and takes its lock, under the copies folder's lock so that a
// removeAbandoned() in another copy of the program never finds it made and not yet locked. Null,
// with *reason, when the folder cannot be made; a lock that another copy holds tells isBusy().
std::unique_ptr<PartialLock> startPartial(const QString &programFolder, const QString &partial,
                                          QString *reason)
{
    const QString copies = copiesFolder(programFolder);
    if (!makeFolders(copies)) {
        fail(reason, QStringLiteral("creazione della cartella"), copies, errno);
        return nullptr;
    }
    const FileLock::FolderLock guard(copies);
    if (!makeFolders(partial)) {
        fail(reason, QStringLiteral("creazione della cartella"), partial, errno);
        return nullptr;
    }
    return std::make_unique<PartialLock>(partial);
}

QStringList removeAbandonedLocked(const QString &programFolder)
{
    const QString copies = copiesFolder(programFolder);
    QStringList removed;
    const QStringList names =
        QDir(copies).entryList({QLatin1Char('*') + kPartial}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const PartialLock held(copies + name);
        if (!held.isBusy() && QDir(copies + name).removeRecursively())
            removed << name;
    }
    return removed;
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

QStringList removeAbandoned(const QString &programFolder)
{
    if (!QFileInfo(copiesFolder(programFolder)).isDir())
        return {};
    const FileLock::FolderLock guard(copiesFolder(programFolder));
    if (!guard.isHeld())
        return {};
    return removeAbandonedLocked(programFolder);
}

Result makeCopy(const QString &programFolder, const QDateTime &now, const std::atomic_bool *cancel)
{
    removeAbandoned(programFolder);
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
    const QString finalFolder = copiesFolder(programFolder) + name;
    const QString partial = finalFolder + kPartial;
    Result result{Result::Outcome::Made, finalFolder + QLatin1Char('/'), QString()};
    const std::unique_ptr<PartialLock> hold = startPartial(programFolder, partial, &result.reason);
    if (!hold)
        return {Result::Outcome::Failed, QString(), result.reason};
    if (hold->isBusy()) // another copy of the program makes this very copy at this moment
        return {Result::Outcome::Unchanged, QString(), QString()};
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        if (cancel && cancel->load()) {
            result.outcome = Result::Outcome::Cancelled;
            break;
        }
        const bool unchanged = before.value(it.key()) == it.value();
        if (!copyOne(programFolder, it.key(), partial + QLatin1Char('/'), previous, unchanged,
                     &result.reason)) {
            result.outcome = Result::Outcome::Failed;
            break;
        }
    }
    if (result.outcome == Result::Outcome::Made &&
        ::rename(QFile::encodeName(partial).constData(), QFile::encodeName(finalFolder).constData()) != 0) {
        fail(&result.reason, QStringLiteral("completamento della copia"), result.folder, errno);
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
