#include "TestSupport.h"
#include "common/BackgroundWork.h"

#include "app/Application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <QTemporaryDir>
#include <csignal>
#include <linux/capability.h>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr quint32 kFileOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
} // namespace

FilePermissionsEnforced::FilePermissionsEnforced()
{
    __user_cap_data_struct data[2] = {};
    if (!capabilities(data, false) || !(data[0].effective & kFileOverrides))
        return;
    m_saved[0] = data[0].effective;
    m_saved[1] = data[1].effective;
    data[0].effective &= ~kFileOverrides;
    m_changed = capabilities(data, true);
}

FilePermissionsEnforced::~FilePermissionsEnforced()
{
    if (!m_changed)
        return;
    __user_cap_data_struct data[2] = {};
    if (capabilities(data, false)) {
        data[0].effective = m_saved[0];
        data[1].effective = m_saved[1];
        capabilities(data, true);
    }
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        QFAIL("the file-size limit cannot be read");
    m_saved = limit.rlim_cur;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        QFAIL("the file-size limit cannot be set");
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_saved);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

SmallDisk::SmallDisk(qint64 bytes)
{
    QTemporaryDir folder;
    folder.setAutoRemove(false);
    m_path = folder.path();
    const QByteArray options = "size=" + QByteArray::number(bytes);
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    QDir().rmdir(m_path);
}

qint64 SmallDisk::freeBytes() const
{
    struct statvfs st;
    if (::statvfs(QFile::encodeName(m_path).constData(), &st) != 0)
        return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}

bool SmallDisk::fill(qint64 room)
{
    QFile filler(path() + QStringLiteral("riempitivo"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    // tmpfs takes whole pages: written a page at a time, then a byte at a time for the last one.
    const QByteArray page(4096, 'x');
    while (freeBytes() > room + page.size() && filler.write(page) == page.size()) {
    }
    while (freeBytes() > room && filler.write("x", 1) == 1) {
    }
    return freeBytes() <= room;
}

void typeKeys(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void corvallaTestInit()
{
    Corvalla::initApplication();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeHugeFile(const QString &path, int recordSize, const QByteArray &tail)
{
    const qint64 blank = (kReadInBackground / recordSize + 1000) * recordSize;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !f.resize(blank) || !f.seek(blank) ||
        f.write(tail) != tail.size())
        qFatal("cannot write the large file %s", qPrintable(path));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool runChildrenAtOnce(const QList<QList<QPair<QString, QString>>> &children)
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (const auto &variables : children) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto &v : variables)
            env.insert(v.first, v.second);
        child->setProcessEnvironment(env);
        child->start(QCoreApplication::applicationFilePath(), {});
        running.push_back(std::move(child));
    }
    bool ok = true;
    for (const auto &child : running)
        ok = child->waitForFinished(120000) && child->exitStatus() == QProcess::NormalExit &&
             child->exitCode() == 0 && ok;
    return ok;
}
