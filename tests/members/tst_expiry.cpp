// The lists of expired membership cards and expired medical certificates: the expiry test, the
// building of the lists, and the two windows driven from the member sheet.
#include "MemberFixtures.h"
#include "ModalHelper.h"
#include "TestSupport.h"

#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "members/MemberSearch.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTiratori.h"
#include "records/MemberArchive.h"
#include "reports/Report.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Member;
using MemberSearch::Expiry;

namespace {

struct Dated
{
    QString name;
    QString card;        // txtFineTes
    QString certificate; // txtStudio
    QString email;
};

void writeArchive(const QList<Dated> &members)
{
    QList<Record> records;
    for (const Dated &m : members)
        records.append(MemberFixtures::member(m.name, {{FineTes, m.card},
                                                       {ScadenzaCertificato, m.certificate},
                                                       {Email, m.email},
                                                       {Attivita, QStringLiteral("Tiro a volo")}}));
    MemberFixtures::writeArchive(records);
}

using MemberFixtures::namesOf;

QString day(int offset)
{
    return QDate::currentDate().addDays(offset).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class TestExpiry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }
    void cleanup()
    {
        MsgBox::setTestHook(nullptr);
        Reports::setOutputHook(nullptr);
    }

    void expiryOfADate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<Expiry>("expected");
        const QDate d(2024, 6, 15);
        QTest::newRow("yesterday") << "14/06/2024" << d << Expiry::Expired;
        QTest::newRow("today") << "15/06/2024" << d << Expiry::Current;
        QTest::newRow("tomorrow") << "16/06/2024" << d << Expiry::Current;
        QTest::newRow("years ago") << "15/06/1999" << d << Expiry::Expired;
        QTest::newRow("31/12 of last year on 1 January")
            << "31/12/2023" << QDate(2024, 1, 1) << Expiry::Expired;
        QTest::newRow("1 January on 31/12 before") << "01/01/2024" << QDate(2023, 12, 31) << Expiry::Current;
        QTest::newRow("29 February") << "29/02/2024" << QDate(2024, 3, 1) << Expiry::Expired;
        QTest::newRow("one-digit day and month") << "1/6/2024" << d << Expiry::Expired;
        QTest::newRow("empty") << "" << d << Expiry::Unreadable;
        QTest::newRow("no such day") << "31/02/2024" << d << Expiry::Unreadable;
        QTest::newRow("other form") << "2024-06-14" << d << Expiry::Unreadable;
        QTest::newRow("words") << "scaduto" << d << Expiry::Unreadable;
    }
    void expiryOfADate()
    {
        QFETCH(QString, date);
        QFETCH(QDate, today);
        QFETCH(Expiry, expected);
        QCOMPARE(MemberSearch::expiryOf(date, today), expected);
    }

    void buildingTheLists_data()
    {
        QTest::addColumn<bool>("certificates");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("cards") << false << QStringList{"Neri Paolo", "Rossi Mario", "Verdi Anna"};
        QTest::newRow("certificates") << true << QStringList{"Bianchi Luca", "Neri Paolo", "Verdi Anna"};
    }
    void buildingTheLists()
    {
        QFETCH(bool, certificates);
        QFETCH(QStringList, names);
        // Unreadable dates sit between the expired ones: they are passed over, the rest is listed.
        writeArchive({
            {"Rossi Mario", "14/06/2024", "15/06/2024", ""},
            {"Bianchi Luca", "", "14/06/2024", ""},
            {"Gialli Sara", "16/06/2024", "non so", ""},
            {"Verdi Anna", "01/01/2014", "01/01/2014", ""},
            {"Blu Piero", "31/02/2020", "16/06/2024", ""},
            {"Neri Paolo", "14/06/2024", "14/06/2024", ""},
        });
        const MemberSearch::ExpiryListInfo &list =
            certificates ? MemberSearch::kExpiredCertificates : MemberSearch::kExpiredCards;
        QStringList lines;
        QVERIFY(MemberSearch::expiredLines(list, QDate(2024, 6, 15), lines));
        QCOMPARE(namesOf(lines), names);
        for (const QString &l : lines)
            QCOMPARE(l.contains(QStringLiteral("  Scad. certificato: ")), certificates);
    }

    void archiveThatCannotBeOpenedGivesNoLines()
    {
        QFile::remove(MemberArchive::filePath());
        QVERIFY(QDir().mkpath(MemberArchive::filePath()));
        QStringList lines{"stale"};
        QVERIFY(!MemberSearch::expiredLines(MemberSearch::kExpiredCards, QDate(2024, 6, 15), lines));
        QVERIFY(lines.isEmpty());
        QVERIFY(QDir(MemberArchive::filePath()).removeRecursively());
    }

    void windowFromTheMemberSheet_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("printTitle");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("find");
        QTest::addColumn<int>("found");
        QTest::newRow("expired cards")
            << "cmdScadute"
            << " Riepilogo tessere scadute"
            << "Riepilogo tessere scadute" << QStringList{"Neri Paolo", "Neri Paolo", "Rossi Mario"}
            << "ROSSI" << 2;
        QTest::newRow("expired certificates")
            << "cmdScadCert"
            << " Riepilogo certificati medici scaduti"
            << "Riepilogo certificati medici scaduti" << QStringList{"Neri Paolo", "Neri Paolo", "Verdi Luca"}
            << "verdi" << 2;
    }
    void windowFromTheMemberSheet()
    {
        QFETCH(QString, button);
        writeArchive({
            {"Rossi Mario", day(-1), day(1), ""},
            {"Neri Paolo", day(-1), day(-1), "primo@example.org"},
            {"Bianchi Anna", day(0), "", ""},
            {"Neri Paolo", day(-1), day(-1), "secondo@example.org"},
            {"Verdi Luca", "", day(-800), ""},
        });
        TfrmTiratori sheet;
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        bool checked = false;
        Modal::whenShown<QDialog>([&](QDialog *window) {
            useList(window);
            checked = !QTest::currentTestFailed();
            if (window->isVisible())
                window->reject();
        });
        QTest::mouseClick(sheet.findChild<QWidget *>(button), Qt::LeftButton);
        QVERIFY(checked);
        QVERIFY(!QApplication::activeModalWidget());
        // The two Neri lines are identical: the first row opens the first of the two members.
        QCOMPARE(sheet.field("txtTiratore")->text(), QStringLiteral("Neri Paolo"));
        QCOMPARE(sheet.field("txtEmail")->text(), QStringLiteral("primo@example.org"));
        QCOMPARE(sheet.position(), QStringLiteral("2"));
    }

    void emptyList()
    {
        writeArchive({{"Rossi Mario", day(1), day(0), ""}});
        BoxRecorder recorder;
        const auto &boxes = recorder.boxes;
        QStringList printedTitles;
        Reports::setOutputHook([&](const Reports::PreparedReport &report, Reports::Destination, QString *) {
            const Reports::PlacedObject *data = report.find(0, "txtRiepilogo");
            if (!data || data->lines.isEmpty())
                printedTitles.append(report.find(0, "txtTitolo")->design.text);
            return true;
        });
        TfrmTessereScadute window;
        window.show();
        auto *list = window.findChild<QListView *>("lstRecords");
        QCOMPARE(list->model()->rowCount(), 0);
        QTest::mouseClick(window.findChild<QPushButton *>("btnTrova"), Qt::LeftButton);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].first, MsgBox::Kind::Plain);
        QCOMPARE(boxes[0].second,
                 QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        QTest::mouseClick(window.findChild<QPushButton *>("btnStampa"), Qt::LeftButton);
        QCOMPARE(printedTitles, QStringList{"Riepilogo tessere scadute"});
        // A double click with nothing to open still closes the window.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!window.isVisible());
    }

private:
    void useList(QDialog *window)
    {
        QFETCH(QString, caption);
        QFETCH(QString, printTitle);
        QFETCH(QStringList, names);
        QFETCH(QString, find);
        QFETCH(int, found);
        window->activateWindow(); // the offscreen platform does not activate a modal child by itself
        QTRY_VERIFY(window->isActiveWindow());
        QCOMPARE(window->windowTitle(), caption);
        auto *list = window->findChild<QListView *>("lstRecords");
        auto *findField = window->findChild<QLineEdit *>("txtTrova");
        QVERIFY(list && findField);
        QCOMPARE(QApplication::focusWidget(), findField);
        QStringList lines;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            lines.append(list->model()->index(row, 0).data().toString());
        QCOMPARE(namesOf(lines), names);
        // The columns run wider than the window: the list scrolls sideways over 1600 pixels.
        QVERIFY(list->horizontalScrollBar()->maximum() + list->viewport()->width() >= 1600);

        QTest::keyClicks(findField, find);
        QTest::keyClick(findField, Qt::Key_Return);
        QTest::keyClick(window->findChild<QPushButton *>("btnTrova"), Qt::Key_Return);
        QCOMPARE(list->selectionModel()->selectedRows().value(0).row(), found);

        QStringList printed;
        Reports::setOutputHook([&](const Reports::PreparedReport &report, Reports::Destination, QString *) {
            printed.append(report.find(0, "txtTitolo")->design.text);
            for (const Reports::PlacedLine &l : report.find(0, "txtRiepilogo")->lines)
                printed.append(l.text);
            return true;
        });
        QTest::mouseClick(window->findChild<QPushButton *>("btnStampa"), Qt::LeftButton);
        QCOMPARE(printed, QStringList{printTitle} + lines);

        const QRect first = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QVERIFY(!window->isVisible());
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestExpiry)
#include "tst_expiry.moc"
