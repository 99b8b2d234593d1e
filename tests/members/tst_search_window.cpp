// The member search window driven through its widgets: criteria, results, find, print, and the
// double click that hands a member to each of its openers.
#include "MemberFixtures.h"
#include "ModalHelper.h"
#include "TestSupport.h"

#include "common/CallerContext.h"
#include "common/ListPanel.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "members/MemberArchive.h"
#include "members/MemberChoiceTarget.h"
#include "members/MemberSearch.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmTrovaTiratori.h"
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

// A stand-in for the card window: the five member labels, the position and the photo loader; it
// takes a member as the card window does, through the member transfer table.
class FakeCardWindow : public QWidget, public MemberChoiceTarget
{
    Q_OBJECT
public:
    FakeCardWindow()
    {
        for (const char *name : {"txtTesserato", "txtCarica", "txtNumTessera", "txtDataRil", "txtDataScade",
                                 "lblPosizione", "txtNomeEnte"}) {
            auto *l = new QLabel(QStringLiteral("before"), this);
            l->setObjectName(QString::fromLatin1(name));
        }
    }
    QStringList photosLoaded;
    void takeMember(qint64 position, const Record &record) override
    {
        for (const MemberSearch::MemberTransfer &t : MemberSearch::kToCard)
            findChild<QLabel *>(QLatin1String(t.target))->setText(record[t.field]);
        findChild<QLabel *>(QStringLiteral("lblPosizione"))->setText(QString::number(position));
        photosLoaded.append(QString::number(position));
    }
};

// A stand-in for the receipt window: the seven payer fields and fields a member must not touch.
class FakeReceiptWindow : public QWidget, public MemberChoiceTarget
{
public:
    FakeReceiptWindow()
    {
        for (const char *name :
             {"txtPagatore", "txtCodFisc", "txtSport", "txtPraticante", "txtLuogoNasc", "txtDataNasc",
              "txtIndirizzo", "txtNumero", "txtData", "txtEuro", "txtCent", "lblPosizione"}) {
            auto *e = new QLineEdit(QStringLiteral("before"), this);
            e->setObjectName(QString::fromLatin1(name));
        }
    }
    void takeMember(qint64, const Record &record) override
    {
        for (const MemberSearch::MemberTransfer &t : MemberSearch::kToReceipt)
            findChild<QLineEdit *>(QLatin1String(t.target))->setText(record[t.field]);
    }
};
QWidget *fakeReceiptWindow()
{
    return new FakeReceiptWindow;
}

QStringList texts(QWidget *w, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names) {
        QWidget *c = w->findChild<QWidget *>(n, Qt::FindDirectChildrenOnly);
        out.append(c ? c->property("text").toString() : QStringLiteral("<missing>"));
    }
    return out;
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
        writeArchive({member("Rossi Mario", {{Ente, "Tiro a volo"}}), member("Verdi Anna"),
                      member("Bianchi Rossi", {{Ente, "Tiro a volo"}, {CodFisc, "BNCRSS70A01H501X"}})});
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

    void doubleClickFillsTheOpener_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<bool>("card");         // opener: card window, else receipt window
        QTest::addColumn<QStringList>("names"); // opener's controls checked
        QTest::addColumn<int>("row");           // the row double-clicked
        QTest::addColumn<QStringList>("after");
        const QStringList receipt = {"txtPagatore",  "txtCodFisc",  "txtSport",     "txtPraticante",
                                     "txtLuogoNasc", "txtDataNasc", "txtIndirizzo", "txtNumero",
                                     "txtData",      "txtEuro",     "txtCent",      "lblPosizione"};
        const QStringList card = {"txtTesserato", "txtCarica",    "txtNumTessera", "txtDataRil",
                                  "txtDataScade", "lblPosizione", "txtNomeEnte"};
        // The two lines are identical: each row opens its own member, the first row the first one.
        QTest::newRow("receipt takes the payer and practitioner fields only")
            << "ricevuta" << false << receipt << 1
            << QStringList{"Rossi Mario", "RSSMRA80A01H501B", "Tiro a volo",      "Rossi Luca",
                           "Milano",      "02/02/2010",       "Via Po 2, Milano", "before",
                           "before",      "before",           "before",           "before"};
        QTest::newRow("the first of two identical rows opens the first member")
            << "ricevuta" << false << receipt << 0 << QStringList{"Rossi Mario",
                                                                  "RSSMRA80A01H501A",
                                                                  "Tiro a volo",
                                                                  "Rossi Anna",
                                                                  "Roma",
                                                                  "01/01/2008",
                                                                  "Via Tevere 1, Roma",
                                                                  "before",
                                                                  "before",
                                                                  "before",
                                                                  "before",
                                                                  "before"};
        QTest::newRow("card takes the five labels and the position")
            << "tessera" << true << card << 1
            << QStringList{"Rossi Mario", "Tiro a volo", "T-1", "01/01/2024", "31/12/2024", "3", "before"};
        QTest::newRow("card, first row: position 1")
            << "tessera" << true << card << 0
            << QStringList{"Rossi Mario", "Tiro a volo", "T-1", "01/01/2024", "31/12/2024", "1", "before"};
        QTest::newRow("unknown context fills nothing")
            << "Ricevuta" << false << receipt << 0 << QStringList(receipt.size(), "before");
        QTest::newRow("no context fills nothing")
            << "" << true << card << 0 << QStringList(card.size(), "before");
    }
    void doubleClickFillsTheOpener()
    {
        QFETCH(QString, context);
        QFETCH(bool, card);
        QFETCH(QStringList, names);
        QFETCH(int, row);
        QFETCH(QStringList, after);
        const QList<QPair<Field, QString>> common = {{Ente, "Tiro a volo"},
                                                     {Tessera, "T-1"},
                                                     {InizioTes, "01/01/2024"},
                                                     {FineTes, "31/12/2024"},
                                                     {Quota, "25,00"}};
        writeArchive(
            {member("Rossi Mario", common + QList<QPair<Field, QString>>{{CodFisc, "RSSMRA80A01H501A"},
                                                                         {Armi, "Rossi Anna"},
                                                                         {Porto, "Roma"},
                                                                         {InizioPor, "01/01/2008"},
                                                                         {FinePor, "Via Tevere 1, Roma"}}),
             member("Verdi Anna"),
             member("Rossi Mario", common + QList<QPair<Field, QString>>{{CodFisc, "RSSMRA80A01H501B"},
                                                                         {Armi, "Rossi Luca"},
                                                                         {Porto, "Milano"},
                                                                         {InizioPor, "02/02/2010"},
                                                                         {FinePor, "Via Po 2, Milano"}})});

        FakeCardWindow cardWindow;
        std::unique_ptr<QWidget> receiptWindow(fakeReceiptWindow());
        QWidget *opener = card ? static_cast<QWidget *>(&cardWindow) : receiptWindow.get();
        opener->show();
        auto *search = new TfrmTrovaTiratori(opener);
        QPointer<TfrmTrovaTiratori> guard(search);
        setCallerContext(search, context);
        search->show();
        QTest::keyClicks(child<QLineEdit>(search, "txtTiratore"), "rossi");
        QTest::mouseClick(child<QPushButton>(search, "btnCerca"), Qt::LeftButton);
        QCOMPARE(child<QListView>(search, "lstRecords")->model()->rowCount(), 2);
        doubleClickRow(search, row);

        QVERIFY(!search->isVisible());
        QCOMPARE(texts(opener, names), after);
        if (card)
            QCOMPARE(cardWindow.photosLoaded, context == "tessera" ? QStringList({after[5]}) : QStringList());
        // The search window's own criteria stay as typed.
        QCOMPARE(child<QLineEdit>(search, "txtTiratore")->text(), QStringLiteral("rossi"));
        QCOMPARE(child<QLineEdit>(search, "txtCodFisc")->text(), QString());
        QCOMPARE(child<QListView>(search, "lstRecords")->model()->rowCount(), 0); // emptied on close
        delete search;
    }

    void longNameStillOpens()
    {
        const QString longName = QStringLiteral("Della Rovere Montefeltro Maria Vittoria Anna");
        writeArchive({member("Della Rovere Anna"), member(longName, {{CodFisc, "DLLMRA"}})});
        std::unique_ptr<QWidget> receipt(fakeReceiptWindow());
        TfrmTrovaTiratori search(receipt.get());
        setCallerContext(&search, "ricevuta");
        search.show();
        QTest::keyClicks(child<QLineEdit>(&search, "txtTiratore"), "vittoria");
        QTest::mouseClick(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        QCOMPARE(search.resultPanel()->lines().size(), 1);
        QCOMPARE(search.resultPanel()->lines()[0].left(30), longName.left(30));
        doubleClickRow(&search, 0);
        QCOMPARE(texts(receipt.get(), {"txtPagatore", "txtCodFisc"}), QStringList({longName, "DLLMRA"}));
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
