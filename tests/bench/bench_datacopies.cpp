// The automatic copy of the data with a 100,000-member archive and a 100-photo folder: the copy
// itself (first, unchanged, one photo changed), beside copying the same bytes with `cp` in the
// same run; and the main menu's showing with the copy starting behind it, beside the same window
// shown with no copy. Prints a table; asserts nothing.
#include "BenchTiming.h"
#include "TestSupport.h"

#include "app/DataCopies.h"
#include "app/DataCopyRunner.h"
#include "records/MemberRecord.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

constexpr int kMembers = 100000;
constexpr int kPhotos = 100;

void makeData(const QString &folder)
{
    QFile archive(folder + QStringLiteral("Archivio_Iscritti.pro"));
    if (!archive.open(QIODevice::WriteOnly))
        qFatal("cannot write the archive");
    const QByteArray record(Member::kRecordSize, 'M');
    for (int i = 0; i < kMembers; ++i)
        archive.write(record);
    archive.close();
    QDir().mkpath(folder + QStringLiteral("Anagrafica"));
    const QByteArray photo(40 * 1024, 'F');
    for (int i = 1; i <= kPhotos; ++i)
        writeFile(folder + QStringLiteral("Anagrafica/Scheda_Iscritto_%1.jpg").arg(i), photo);
}

// Milliseconds from show() to the window on screen.
double showMs(QWidget &menu)
{
    QElapsedTimer t;
    t.start();
    menu.show();
    if (!QTest::qWaitForWindowExposed(&menu))
        qFatal("the window did not show");
    const double ms = t.nsecsElapsed() / 1e6;
    menu.hide();
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    corvallaTestInit();
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    makeData(folder);

    const QString plain = dir.path() + QStringLiteral("/cp");
    QDir().mkpath(plain);
    const double cp = bestOf(1, [&] {
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), folder + QStringLiteral("Anagrafica"),
                                                 folder + QStringLiteral("Archivio_Iscritti.pro"), plain});
    });
    QDateTime now = QDateTime::currentDateTime();
    const double first = bestOf(1, [&] { DataCopies::makeCopy(folder, now); });
    now = now.addSecs(10);
    const double unchanged = bestOf(3, [&] { DataCopies::makeCopy(folder, now); });
    QTest::qWait(1100);
    writeFile(folder + QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg"), QByteArray(40 * 1024, 'G'));
    now = now.addSecs(10);
    const double onePhoto = bestOf(1, [&] { DataCopies::makeCopy(folder, now); });
    std::printf(
        "copy of %d members and %d photos: first %.1f ms (cp of the same: %.1f ms), unchanged %.1f ms, "
        "one photo changed %.1f ms\n",
        kMembers, kPhotos, first, cp, unchanged, onePhoto);

    // The menu with a copy starting as it shows (a fresh change each time, so that the copy has
    // work to do), beside the same window alone; the best of five each.
    double withCopy = 1e300, bare = 1e300;
    for (int run = 0; run < 5; ++run) {
        QWidget alone;
        alone.resize(800, 600);
        bare = std::min(bare, showMs(alone));
        writeFile(folder + QStringLiteral("Anagrafica/Scheda_Iscritto_2.jpg"),
                  QByteArray(40 * 1024, char('a' + run)));
        QWidget menu;
        menu.resize(800, 600);
        auto *runner = new DataCopyRunner(&menu, folder);
        withCopy = std::min(withCopy, showMs(menu));
        runner->waitForFinished();
        QTest::qWait(1100); // the next change gets a later modification time
    }
    std::printf("menu on screen: %.1f ms with the copy starting behind it, %.1f ms alone (%.2fx)\n", withCopy,
                bare, withCopy / bare);
    return 0;
}
