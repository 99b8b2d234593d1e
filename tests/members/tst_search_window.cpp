// The member search window driven through its widgets: criteria, results, find, print, and the
// double click that hands a member to each of its openers.
#include "MemberFixtures.h"
#include "ModalHelper.h"
#include "TestSupport.h"

#include "cards/TfrmTessera.h"
#include "common/CallerContext.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "members/MemberSearch.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmTrovaTiratori.h"
#include "receipts/TfrmRicevuta.h"
#include "records/MemberArchive.h"
#include "records/MemberChoiceTarget.h"
#include "reports/ListPanel.h"
#include "reports/Report.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Member;
using namespace MemberFixtures;

namespace {

template <typename T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qWarning("no %s", name);
    return c;
}

void doubleClickRow(QWidget *window, int row)
{
    auto *list = child<QListView>(window, "lstRecords");
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QVERIFY(r.isValid());
    // As a mouse does it: the first click selects the line, the second one is the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

// The texts of the controls called `names` in `window` (labels and entry fields alike).
QStringList texts(QWidget *window, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names) {
        QWidget *c = window->findChild<QWidget *>(n);
        out.append(c ? c->property("text").toString() : QStringLiteral("<missing>"));
    }
    return out;
}

// The user's round: `button` of `opener` opens the member search, "rossi" is searched by name and
// `row` of the result list double-clicked. Tells the caller context the search was given.
QString chooseMember(QWidget *opener, const char *button, int row)
{
    QString context;
    const auto ran = Modal::whenShown<TfrmTrovaTiratori>([&](TfrmTrovaTiratori *search) {
        context = callerContext(search);
        QTest::keyClicks(child<QLineEdit>(search, "txtTiratore"), "rossi");
        QTest::mouseClick(child<QPushButton>(search, "btnCerca"), Qt::LeftButton);
        doubleClickRow(search, row);
        if (search->isVisible()) // the double click closes it; a failure must not leave it open
            search->reject();
    });
    QTest::mouseClick(child<QWidget>(opener, button), Qt::LeftButton);
    if (!*ran)
        qWarning("the member search did not open");
    return context;
}

// Two members whose result lines are identical ("Rossi Mario", same card and fee), and one other.
void writeRossiTwice()
{
    const QList<QPair<Field, QString>> common = {{Attivita, "Tiro a volo"},
                                                 {Tessera, "T-1"},
                                                 {InizioTes, "01/01/2024"},
                                                 {FineTes, "31/12/2024"},
                                                 {Quota, "25,00"}};
    writeArchive({member("Rossi Mario",
                         common + QList<QPair<Field, QString>>{{CodFisc, "RSSMRA80A01H501A"},
                                                               {Praticante, "Rossi Anna"},
                                                               {LuogoNascPraticante, "Roma"},
                                                               {DataNascPraticante, "01/01/2008"},
                                                               {IndirizzoPraticante, "Via Tevere 1, Roma"}}),
                  member("Verdi Anna"),
                  member("Rossi Mario",
                         common + QList<QPair<Field, QString>>{{CodFisc, "RSSMRA80A01H501B"},
                                                               {Praticante, "Rossi Luca"},
                                                               {LuogoNascPraticante, "Milano"},
                                                               {DataNascPraticante, "02/02/2010"},
                                                               {IndirizzoPraticante, "Via Po 2, Milano"}})});
}

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");

} // namespace

class TestSearchWindow : public QObject
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
        QDir(MemberArchive::filePath()).removeRecursively();
        QFile::remove(MemberArchive::filePath());
    }

    // The whole round from the member sheet: criteria, search, find, double click.
    void fromTheMemberSheet()
    {
        writeArchive({member("Rossi Mario", {{Attivita, "Tiro a volo"}}), member("Verdi Anna"),
                      member("Bianchi Rossi", {{Attivita, "Tiro a volo"}, {CodFisc, "BNCRSS70A01H501X"}})});
        TfrmTiratori sheet;
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));

        bool checked = false;
        Modal::whenShown<TfrmTrovaTiratori>([&](TfrmTrovaTiratori *search) {
            useSearchFromTheSheet(search);
            checked = !QTest::currentTestFailed();
            if (search->isVisible()) // a failed check must not leave the modal window open
                search->reject();
        });
        QTest::mouseClick(child<QWidget>(&sheet, "cmdTrova"), Qt::LeftButton);
        QVERIFY(checked);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(sheet.field("txtTiratore")->text(), QStringLiteral("Bianchi Rossi"));
        QCOMPARE(sheet.field("txtCodFisc")->text(), QStringLiteral("BNCRSS70A01H501X"));
        QCOMPARE(sheet.position(), QStringLiteral("3"));
    }

    // The card and receipt windows open the real search through the opener the program gives
    // them; the double-clicked member fills exactly the fields of the opener's table.
    void doubleClickFillsTheOpener_data()
    {
        QTest::addColumn<bool>("card");         // opener: card window, else receipt window
        QTest::addColumn<QStringList>("names"); // opener's controls checked
        QTest::addColumn<int>("row");           // the row double-clicked
        QTest::addColumn<QStringList>("after");
        const QStringList receipt = {"txtPagatore",  "txtCodFisc",  "txtSport",     "txtPraticante",
                                     "txtLuogoNasc", "txtDataNasc", "txtIndirizzo", "txtNumRic",
                                     "txtData",      "txtImporto",  "txtCents",     "lblPosizione"};
        const QStringList card = {"txtTesserato", "txtCarica",    "txtNumTessera",  "txtDataRil",
                                  "txtDataScade", "lblPosizione", "titAssociazione"};
        // The two lines are identical: each row opens its own member, the first row the first one.
        QTest::newRow("receipt takes the payer and practitioner fields only")
            << false << receipt << 1 << QStringList{"Rossi Mario",
                                                    "RSSMRA80A01H501B",
                                                    "Tiro a volo",
                                                    "Rossi Luca",
                                                    "Milano",
                                                    "02/02/2010",
                                                    "Via Po 2, Milano",
                                                    "before",
                                                    "before",
                                                    "before",
                                                    "99",
                                                    ""};
        QTest::newRow("the first of two identical rows opens the first member")
            << false << receipt << 0 << QStringList{"Rossi Mario",
                                                    "RSSMRA80A01H501A",
                                                    "Tiro a volo",
                                                    "Rossi Anna",
                                                    "Roma",
                                                    "01/01/2008",
                                                    "Via Tevere 1, Roma",
                                                    "before",
                                                    "before",
                                                    "before",
                                                    "99",
                                                    ""};
        QTest::newRow("card takes the five labels and the position")
            << true << card << 1
            << QStringList{"Rossi Mario", "Tiro a volo", "T-1", "01/01/2024", "31/12/2024", "3", "before"};
        QTest::newRow("card, first row: position 1")
            << true << card << 0
            << QStringList{"Rossi Mario", "Tiro a volo", "T-1", "01/01/2024", "31/12/2024", "1", "before"};
    }
    void doubleClickFillsTheOpener()
    {
        QFETCH(bool, card);
        QFETCH(QStringList, names);
        QFETCH(int, row);
        QFETCH(QStringList, after);
        writeRossiTwice();

        TfrmTessera cardWindow;
        TfrmRicevuta receiptWindow;
        cardWindow.setMemberSearch(&openMemberSearch);
        receiptWindow.setMemberSearch(&openMemberSearch);
        QWidget *opener = card ? static_cast<QWidget *>(&cardWindow) : &receiptWindow;
        opener->show();
        QVERIFY(QTest::qWaitForWindowExposed(opener));
        for (const QString &name : names) {
            QWidget *control = opener->findChild<QWidget *>(name);
            QVERIFY2(control, qPrintable(name));
            if (name != QLatin1String("lblPosizione"))
                control->setProperty("text", name == QLatin1String("txtCents") ? QStringLiteral("99")
                                                                               : QStringLiteral("before"));
        }

        const QString context = chooseMember(opener, card ? "cmdTrova" : "impPagatore", row);
        QCOMPARE(context, card ? QStringLiteral("tessera") : QStringLiteral("ricevuta"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(texts(opener, names), after);
        if (card)
            QCOMPARE(cardWindow.position(), after[5]);
        else
            QCOMPARE(receiptWindow.position(), QString()); // still a new receipt
    }

    // A search that was given no target hands nothing over, whatever its caller context says.
    void searchWithoutTargetFillsNothing()
    {
        writeRossiTwice();
        TfrmRicevuta receiptWindow;
        receiptWindow.show();
        TfrmTrovaTiratori search(&receiptWindow);
        setCallerContext(&search, "ricevuta");
        search.show();
        QTest::keyClicks(child<QLineEdit>(&search, "txtTiratore"), "rossi");
        QTest::mouseClick(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        doubleClickRow(&search, 0);
        QVERIFY(!search.isVisible());
        QCOMPARE(receiptWindow.field("txtPagatore")->text(), QString());
    }

    void longNameStillOpens()
    {
        const QString longName = QStringLiteral("Della Rovere Montefeltro Maria Vittoria Anna");
        writeArchive({member("Della Rovere Anna"), member(longName, {{CodFisc, "DLLMRA"}})});
        TfrmRicevuta receipt;
        receipt.setMemberSearch(&openMemberSearch);
        receipt.show();
        const auto ran = Modal::whenShown<TfrmTrovaTiratori>([&](TfrmTrovaTiratori *search) {
            QTest::keyClicks(child<QLineEdit>(search, "txtTiratore"), "vittoria");
            QTest::mouseClick(child<QPushButton>(search, "btnCerca"), Qt::LeftButton);
            QCOMPARE(search->resultPanel()->lines().size(), 1);
            QCOMPARE(search->resultPanel()->lines()[0].left(30), longName.left(30));
            doubleClickRow(search, 0);
            if (search->isVisible())
                search->reject();
        });
        QTest::mouseClick(child<QWidget>(&receipt, "impPagatore"), Qt::LeftButton);
        QVERIFY(*ran);
        QCOMPARE(texts(&receipt, {"txtPagatore", "txtCodFisc"}), QStringList({longName, "DLLMRA"}));
    }

    void archiveFailureKeepsTheCriteriaPage()
    {
        QFile::remove(MemberArchive::filePath());
        QVERIFY(QDir().mkpath(MemberArchive::filePath())); // a folder where the file should be
        BoxRecorder recorder;
        const auto &boxes = recorder.boxes;
        TfrmTrovaTiratori search;
        search.show();
        QTest::mouseClick(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].first, MsgBox::Kind::Plain);
        QCOMPARE(boxes[0].second, kAccess);
        QVERIFY(child<QWidget>(&search, "panAvvio")->isVisible());
        QVERIFY(child<QWidget>(&search, "panContainer")->isHidden());
        QVERIFY(search.isVisible());
    }

    void waitTextShowsWhenTheButtonGoesDown()
    {
        writeArchive({});
        TfrmTrovaTiratori search;
        search.show();
        auto *wait = child<QLabel>(&search, "lblAttendere");
        QCOMPARE(wait->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
        QVERIFY(wait->isHidden());
        QTest::mousePress(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        QVERIFY(wait->isVisible());
        QTest::mouseRelease(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        QVERIFY(child<QWidget>(&search, "panContainer")->isVisible());
    }

    void enterRingAndHighlightBands()
    {
        TfrmTrovaTiratori search;
        search.show();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        const char *ring[][3] = {
            {"txtTiratore", "effCampo01", "txtDataNasc"},
            {"txtDataNasc", "effCampo02", "txtCittadinanza"},
            {"txtCittadinanza", "effCampo09", "txtLuogoNasc"},
            {"txtLuogoNasc", "effCampo10", "txtCodFisc"},
            {"txtCodFisc", "effCampo05", "txtGruppo"},
            {"txtGruppo", "effCampo06", "txtTessera"},
            {"txtTessera", "effCampo07", "txtArmi"},
            {"txtArmi", "effCampo08", "txtEnte"},
            {"txtEnte", "effCampo03", "txtNote"},
            {"txtNote", "effCampo04", "txtTiratore"},
        };
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&search, "txtTiratore"));
        for (const auto &step : ring) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(step[0]));
            QVERIFY2(child<QWidget>(&search, step[1])->isVisible(), step[1]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(step[2]));
            QVERIFY2(child<QWidget>(&search, step[1])->isHidden(), step[1]);
        }
        QVERIFY(search.isVisible()); // Enter never presses a button behind the user's back
        QVERIFY(child<QWidget>(&search, "panAvvio")->isVisible());
    }

    void printTheList()
    {
        writeArchive({member("Verdi Anna"), member("Bianchi Luca")});
        QList<QPair<QString, QStringList>> printed;
        bool succeed = true;
        Reports::setOutputHook([&](const Reports::PreparedReport &report, Reports::Destination d, QString *) {
            QStringList lines;
            for (int p = 0; p < report.pages.size(); ++p)
                if (const Reports::PlacedObject *o = report.find(p, "txtRiepilogo"))
                    for (const Reports::PlacedLine &l : o->lines)
                        lines.append(l.text);
            const Reports::PlacedObject *title = report.find(0, "txtTitolo");
            printed.append({title ? title->design.text : QString(), lines});
            return d == Reports::Destination::Printer && succeed;
        });
        BoxRecorder recorder;
        const auto &boxes = recorder.boxes;
        TfrmTrovaTiratori search;
        search.show();
        QTest::mouseClick(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&search, "btnStampa"), Qt::LeftButton);
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].first, QStringLiteral("Riepilogo schede iscritti"));
        QCOMPARE(printed[0].second, search.resultPanel()->lines());
        QVERIFY(printed[0].second[0].startsWith("Bianchi Luca"));
        QVERIFY(boxes.isEmpty());

        succeed = false; // a printer that fails is reported
        QTest::mouseClick(child<QPushButton>(&search, "btnStampa"), Qt::LeftButton);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].first, MsgBox::Kind::Warning);

        QTest::mouseClick(child<QPushButton>(&search, "btnChiudi"), Qt::LeftButton);
        QVERIFY(!search.isVisible());
    }

private:
    void useSearchFromTheSheet(TfrmTrovaTiratori *search)
    {
        search->activateWindow(); // the offscreen platform does not activate a modal child by itself
        QTRY_VERIFY(search->isActiveWindow());
        QCOMPARE(search->windowTitle(), QStringLiteral(" Trova schede iscritti in archivio"));
        QCOMPARE(callerContext(search), QStringLiteral("tiratori"));
        QCOMPARE(child<QLabel>(search, "lblTrovate")->text(),
                 QStringLiteral("Il presente riepilogo contiene 0 schede"));
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(search, "txtTiratore"));
        QTest::keyClicks(child<QLineEdit>(search, "txtTiratore"), "ROSS");
        QTest::keyClicks(child<QLineEdit>(search, "txtEnte"), "volo");
        QTest::mouseClick(child<QPushButton>(search, "btnCerca"), Qt::LeftButton);

        QVERIFY(child<QWidget>(search, "panAvvio")->isHidden());
        QVERIFY(child<QWidget>(search, "panContainer")->isVisible());
        QCOMPARE(child<QLabel>(search, "lblTrovate")->text(),
                 QStringLiteral("Il presente riepilogo contiene 2 schede"));
        QCOMPARE(child<QListView>(search, "lstRecords")->model()->rowCount(), 2);
        auto *find = child<QLineEdit>(search, "txtTrova");
        QCOMPARE(QApplication::focusWidget(), find);

        // Enter in the find field moves to "Trova", Enter there finds.
        QTest::keyClicks(find, "mario");
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(search, "btnTrova"));
        QTest::keyClick(child<QPushButton>(search, "btnTrova"), Qt::Key_Return);
        QCOMPARE(search->resultPanel()->selectedRow(), 1); // "Bianchi Rossi" sorts first
        QVERIFY(search->isVisible());

        doubleClickRow(search, 0);
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
