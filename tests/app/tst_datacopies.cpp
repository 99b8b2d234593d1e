// The automatic copies of the data: made when something changed, hard links for what did not,
// the copies kept, and a copy that cannot be made leaving nothing behind.
#include "TestSupport.h"

#include "app/DataCopies.h"
#include "app/DataCopyRunner.h"
#include "common/MsgBox.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

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
    writeFile(folder + QStringLiteral("Documenti_Allegati/sotto/verbale.pdf"), "verbale");
    writeFile(folder + QStringLiteral("Guida.pdf"), "not data"); // the program's own file
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

    // A copy holds every data file as it is; a second one is made only after a change, and what
    // did not change is a hard link to the newer copy's file.
    void copyAfterAChangeOnly_unchangedFilesLinked()
    {
        DataCopies::Result first = DataCopies::makeCopy(m_folder, kNow);
        QCOMPARE(first.outcome, DataCopies::Result::Outcome::Made);
        QCOMPARE(copyNames(m_folder), QStringList{"2026-12-10_09-30-00"});
        for (const QString &file : DataCopies::dataFiles(m_folder))
            QCOMPARE(readAll(first.folder + file), readAll(m_folder + file));
        QVERIFY(!QFile::exists(first.folder + QStringLiteral("Guida.pdf")));
        QVERIFY(!DataCopies::dataFiles(m_folder).join(QLatin1Char('|')).contains(QStringLiteral("Copie")));

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
        QVERIFY(!result.reason.isEmpty());
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

QTEST_MAIN(TestDataCopies)
#include "tst_datacopies.moc"
