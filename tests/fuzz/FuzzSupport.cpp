#include "FuzzSupport.h"

#include "common/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

void fuzzPropertyBroken(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "\n%s:%d: property broken: %s\n", file, line, what);
    std::fflush(stderr);
    __builtin_trap();
}

void fuzzTextsDiffer(const char *what, const QString &got, const QString &expected, const char *file,
                     int line)
{
    // Percent-encoded UTF-8, so that control characters and line ends show.
    std::fprintf(stderr, "\n%s:%d: got      \"%s\"\n%s:%d: expected \"%s\"\n", file, line,
                 got.toUtf8().toPercentEncoding(" =[]\"'").constData(), file, line,
                 expected.toUtf8().toPercentEncoding(" =[]\"'").constData());
    fuzzPropertyBroken(what, file, line);
}

namespace Fuzz {

namespace {
QString makeFolder()
{
    // The test run names a folder of its own, which it removes however the run ends.
    const QString given = qEnvironmentVariable("CORVALLA_FUZZ_TMP");
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString parent = !given.isEmpty()                  ? given
                           : shm.isDir() && shm.isWritable() ? shm.filePath()
                                                             : QDir::tempPath();
    // Removed at exit; a run that stops on a finding leaves it for a look.
    static QTemporaryDir folder(parent + QStringLiteral("/corvalla-fuzz-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "fuzz: no temporary folder under %s\n", qPrintable(parent));
        std::abort();
    }
    setProgramFolder(folder.path());
    return ::programFolder();
}
} // namespace

QString programFolder()
{
    static const QString folder = makeFolder();
    return folder;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void removeFile(const QString &path)
{
    QFile::remove(path);
}

} // namespace Fuzz
