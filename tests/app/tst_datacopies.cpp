// The automatic copies of the data: made when something changed, hard links for what did not,
// the copies kept, and a copy that cannot be made leaving nothing behind.
#include "TestSupport.h"

#include "app/DataCopies.h"
#include "app/DataCopyRunner.h"
#include "common/MsgBox.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30, 0));

ino_t inodeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// Every data file of the program, a little of each.
void writeData(const QString &folder)
{
    writeFile(folder + QStringLiteral("Archivio_Iscritti.pro"), QByteArray(3189 * 2, 'M'));
    writeFile(folder + QStringLiteral("2026.ric"), QByteArray(1099, 'R'));
    writeFile(folder + QStringLiteral("2025.ric"), QByteArray(1099, 'S'));
    writeFile(folder + QStringLiteral("Ricevute_Generiche.ini"), "[Numerazione]\r\nInizio=1\r\n");
    writeFile(folder + QStringLiteral("Tesserini.ini"), "[Associazione]\r\nDenominazione=Club\r\n");
    writeFile(folder + QStringLiteral("Logo.bmp"), "BM logo");
    writeFile(folder + QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=55C7\r\n");
    QDir().mkpath(folder + QStringLiteral("Anagrafica"));
    QDir().mkpath(folder + QStringLiteral("Documenti_Allegati/sotto"));
    writeFile(folder + QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg"), QByteArray(5000, 'F'));
    writeFile(folder + QStringLiteral("Anagrafica/Logo.bmp"), "BM card logo");
    writeFile(folder + QStringLiteral("Documenti_Allegati/sotto/verbale.pdf"), "verbale");
    writeFile(folder + QStringLiteral("Guida.pdf"), "not data"); // the program's own file
}

// What a copy of writeData's folder holds, every file by its path in the copy.
const QStringList kCopied = {
    "2025.ric",
    "2026.ric",
    "Anagrafica/Logo.bmp",
    "Anagrafica/Scheda_Iscritto_1.jpg",
    "Archivio_Iscritti.pro",
    "Documenti_Allegati/sotto/verbale.pdf",
    "Logo.bmp",
    "Ricevute_Generiche.ini",
    "Tesserini.ini",
    "unins000.dll",
};

// The files below `folder`, by their path in it, in order.
QStringList filesIn(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

QStringList copyNames(const QString &folder)
{
    return QDir(DataCopies::copiesFolder(folder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestDataCopies : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;

private slots:
    void initTestCase() { corvallaTestInit(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->path() + QLatin1Char('/');
        writeData(m_folder);
    }

private:
    // Runs a copy of the test folder in another process, named after `when`.
    void startCopy(QProcess &copy, const QString &when)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVALLA_COPY_FOLDER"), m_folder);
        env.insert(QStringLiteral("CORVALLA_COPY_TIME"), when);
        copy.setProcessEnvironment(env);
        copy.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(copy.waitForStarted(30000));
    }

    static bool waitForFile(const QString &path)
    {
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(path)) {
            if (clock.elapsed() > 30000)
                return false;
            QThread::msleep(2);
        }
        return true;
    }

private slots:

    // A copy holds every data file as it is; a second one is made only after a change, and what
    // did not change is a hard link to the newer copy's file.
    void copyAfterAChangeOnly_unchangedFilesLinked()
    {
        DataCopies::Result first = DataCopies::makeCopy(m_folder, kNow);
        QCOMPARE(first.outcome, DataCopies::Result::Outcome::Made);
        QCOMPARE(copyNames(m_folder), QStringList{"2026-12-10_09-30-00"});
        QCOMPARE(filesIn(first.folder), kCopied);
        for (const QString &file : kCopied)
            QCOMPARE(readAll(first.folder + file), readAll(m_folder + file));

        QCOMPARE(DataCopies::makeCopy(m_folder, kNow.addSecs(60)).outcome,
                 DataCopies::Result::Outcome::Unchanged);
        QCOMPARE(copyNames(m_folder).size(), 1);

        QTest::qWait(1100); // a later modification time
        writeFile(m_folder + QStringLiteral("2026.ric"), QByteArray(1099 * 2, 'R'));
        const DataCopies::Result second = DataCopies::makeCopy(m_folder, kNow.addSecs(120));
        QCOMPARE(second.outcome, DataCopies::Result::Outcome::Made);
        QCOMPARE(readAll(second.folder + QStringLiteral("2026.ric")), QByteArray(1099 * 2, 'R'));
        QCOMPARE(readAll(first.folder + QStringLiteral("2026.ric")), QByteArray(1099, 'R'));
        const QString photo = QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg");
        QCOMPARE(inodeOf(second.folder + photo), inodeOf(first.folder + photo));
        QVERIFY(inodeOf(second.folder + QStringLiteral("2026.ric")) !=
                inodeOf(first.folder + QStringLiteral("2026.ric")));
        QVERIFY(inodeOf(first.folder + photo) != inodeOf(m_folder + photo)); // never the live file
    }

    // Kept: the 10 newest copies and the newest of each of the last 12 months.
    void pruning_data()
    {
        QTest::addColumn<QStringList>("copies");
        QTest::addColumn<QStringList>("kept");
        QStringList days, lastTen;
        for (int d = 1; d <= 15; ++d)
            days << QStringLiteral("2026-12-%1_08-00-00").arg(d, 2, 10, QLatin1Char('0'));
        lastTen = days.mid(5);
        QTest::newRow("fifteen this month") << days << lastTen;
        QStringList months, monthsKept;
        for (int m = 0; m < 15; ++m) {
            const QDate first = QDate(2026, 12, 1).addMonths(-m);
            months << first.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("_08-00-00")
                   << first.addDays(1).toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("_08-00-00");
            if (m < 12)
                monthsKept << first.addDays(1).toString(QStringLiteral("yyyy-MM-dd")) +
                                  QStringLiteral("_08-00-00");
        }
        months.sort();
        QStringList expected = months.mid(months.size() - 10) + monthsKept;
        expected.removeDuplicates();
        expected.sort();
        QTest::newRow("fifteen months, two copies each") << months << expected;
    }
    void pruning()
    {
        QFETCH(QStringList, copies);
        QFETCH(QStringList, kept);
        for (const QString &name : copies)
            QVERIFY(QDir().mkpath(DataCopies::copiesFolder(m_folder) + name));
        QVERIFY(QDir().mkpath(DataCopies::copiesFolder(m_folder) + QStringLiteral("non una copia")));
        DataCopies::pruneCopies(m_folder, kNow);
        QStringList left = copyNames(m_folder);
        QVERIFY(left.removeOne(QStringLiteral("non una copia")));
        QCOMPARE(left, kept);
    }

    // A disk that fills up: no copy, nothing of it left behind, the data untouched, the reason
    // told; through the runner, one warning over the menu and the program goes on.
    void fullDiskLeavesNoPartialCopy()
    {
        DataCopies::Result result;
        {
            const FileSizeLimit full(4000); // the photo does not fit
            result = DataCopies::makeCopy(m_folder, kNow);
        }
        QCOMPARE(result.outcome, DataCopies::Result::Outcome::Failed);
        QCOMPARE(result.reason,
                 QStringLiteral("scrittura di ") + m_folder +
                     QStringLiteral("Copie di sicurezza/2026-12-10_09-30-00.parziale/Anagrafica/"
                                    "Scheda_Iscritto_1.jpg: File troppo grande"));
        QCOMPARE(QDir(DataCopies::copiesFolder(m_folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(readAll(m_folder + QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg")),
                 QByteArray(5000, 'F'));

        QStringList boxes;
        MsgBox::setTestHook([&boxes](MsgBox::Kind, const QString &text) {
            boxes << text;
            return MsgBox::Answer::Ok;
        });
        QWidget menu;
        auto *runner = new DataCopyRunner(&menu, m_folder);
        QSignalSpy done(runner, &DataCopyRunner::finished);
        {
            const FileSizeLimit full(4000);
            menu.show();
            runner->waitForFinished();
        }
        QVERIFY(done.wait(10000));
        MsgBox::setTestHook(nullptr);
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].startsWith(
            QStringLiteral("Attenzione: la copia di sicurezza automatica dei dati non è stata eseguita.")));
        QCOMPARE(copyNames(m_folder), QStringList());
    }

    // A disk that fills part way through the copy (a few KB free on a small tmpfs, less than the
    // data), a program folder that takes no new folder, a file where the copies' folder goes: the
    // cause is told in Italian from the system's error number, and nothing of the copy is left.
    void causeOfAFailedCopy_data()
    {
        QTest::addColumn<int>("freeKB"); // on a small disk; -1: on the ordinary disk
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        for (const int kb : {8, 20, 40})
            QTest::addRow("disk full with %d KB free", kb) << kb << ""
                                                           << "scrittura di "
                                                           << ": Spazio esaurito sul disco";
        QTest::newRow("read-only program folder") << -1 << "read-only"
                                                  << "creazione della cartella %1Copie di sicurezza/"
                                                  << "Copie di sicurezza/: Permesso negato";
        QTest::newRow("a file where the copies go")
            << -1 << "file"
            << "creazione della cartella %1Copie di sicurezza/"
            << "Copie di sicurezza/: Un elemento del percorso non è una cartella";
    }
    void causeOfAFailedCopy()
    {
        QFETCH(int, freeKB);
        QFETCH(QString, blocker);
        QFETCH(QString, start);
        QFETCH(QString, end);
        std::unique_ptr<SmallDisk> disk;
        if (freeKB >= 0) {
            disk = std::make_unique<SmallDisk>(256 * 1024);
            if (!disk->isMounted())
                QSKIP("this machine does not allow mounting a small disk");
            m_folder = disk->path();
            writeData(m_folder);
            QVERIFY(disk->fill(freeKB * 1024));
        }
        const FilePermissionsEnforced enforced;
        if (blocker == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner));
        if (blocker == QLatin1String("file"))
            writeFile(DataCopies::copiesFolder(m_folder).chopped(1), "not a folder");
        const QStringList before = filesIn(m_folder);

        const DataCopies::Result result = DataCopies::makeCopy(m_folder, kNow);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(result.outcome, DataCopies::Result::Outcome::Failed);
        QVERIFY2(result.reason.startsWith(QString(start).replace(QStringLiteral("%1"), m_folder)),
                 qPrintable(result.reason));
        QVERIFY2(result.reason.endsWith(end), qPrintable(result.reason));
        QCOMPARE(copyNames(m_folder), QStringList());
        QCOMPARE(filesIn(m_folder), before);
        QCOMPARE(readAll(m_folder + QStringLiteral("Archivio_Iscritti.pro")), QByteArray(3189 * 2, 'M'));
    }

    // A copy killed part way leaves its partial folder; the next copy removes it. The partial folder
    // of a copy still under way in another copy of the program stays, and that copy ends whole.
    void partialFoldersOfCopiesCutShort_goWithTheNextCopy()
    {
        const QString copies = DataCopies::copiesFolder(m_folder);
        // The year file held as a save holds it: a copy that reaches it waits there, part way.
        const int year =
            ::open(QFile::encodeName(m_folder + QStringLiteral("2026.ric")).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(year >= 0 && ::flock(year, LOCK_EX) == 0);
        QProcess killed;
        startCopy(killed, QStringLiteral("2026-12-10T09:00:00"));
        QVERIFY(waitForFile(copies + QStringLiteral("2026-12-10_09-00-00.parziale/2025.ric")));
        killed.kill(); // SIGKILL
        QVERIFY(killed.waitForFinished(30000));
        QVERIFY(QFileInfo(copies + QStringLiteral("2026-12-10_09-00-00.parziale")).isDir());

        QProcess running;
        startCopy(running, QStringLiteral("2026-12-10T09:10:00"));
        QVERIFY(waitForFile(copies + QStringLiteral("2026-12-10_09-10-00.parziale/2025.ric")));
        writeFile(copies + QStringLiteral("2026-12-09_08-00-00.parziale/2025.ric"), "left by a power cut");
        QCOMPARE(DataCopies::removeAbandoned(m_folder), QStringList{"2026-12-09_08-00-00.parziale"});
        QCOMPARE(QDir(copies).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"2026-12-10_09-10-00.parziale"}); // the killed copy's went with the next
        ::close(year);

        QVERIFY(running.waitForFinished(30000));
        QCOMPARE(running.readAllStandardError(), QByteArray());
        QCOMPARE(running.exitCode(), 0);
        QCOMPARE(copyNames(m_folder), QStringList{"2026-12-10_09-10-00"});
        QCOMPARE(filesIn(copies + QStringLiteral("2026-12-10_09-10-00")), kCopied);
    }

    // The menu shows at once: the copy runs apart from the window thread, once a run.
    void runnerCopiesInTheBackgroundOnce()
    {
        QWidget menu;
        auto *runner = new DataCopyRunner(&menu, m_folder);
        QSignalSpy done(runner, &DataCopyRunner::finished);
        menu.show();
        QVERIFY(done.wait(10000));
        QCOMPARE(runner->result().outcome, DataCopies::Result::Outcome::Made);
        menu.hide();
        menu.show();
        QVERIFY(!done.wait(300));
        QCOMPARE(copyNames(m_folder).size(), 1);
    }
};

int main(int argc, char *argv[])
{
    // Child mode: one copy of CORVALLA_COPY_FOLDER named after CORVALLA_COPY_TIME; exit code 0 when
    // it was made.
    const QByteArray folder = qgetenv("CORVALLA_COPY_FOLDER");
    if (!folder.isEmpty()) {
        QCoreApplication app(argc, argv);
        const DataCopies::Result result = DataCopies::makeCopy(
            QString::fromLocal8Bit(folder),
            QDateTime::fromString(QString::fromLocal8Bit(qgetenv("CORVALLA_COPY_TIME")), Qt::ISODate));
        if (result.outcome == DataCopies::Result::Outcome::Made)
            return 0;
        std::fprintf(stderr, "copy not made: %s\n", qPrintable(result.reason));
        return 1;
    }
    QApplication app(argc, argv);
    TestDataCopies test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_datacopies.moc"
