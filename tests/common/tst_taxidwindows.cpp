// The tax code and VAT number check windows driven as a user would, their message boxes answered
// through the message-box hook, and the member sheet's tax code button that opens them.
#include "TestSupport.h"

#include "ModalHelper.h"
#include "common/ProgramFolder.h"
#include "common/TfrmCodFisc.h"
#include "common/TfrmPartitaIva.h"
#include "members/TfrmTiratori.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using MsgBox::Kind;

namespace {

// What a user did in an opened check window and what the window showed.
struct Visit
{
    QString className;
    QString caption;
    QString initialText;
    QString shownText; // the field after typing
    bool focusInField = false;
    bool stillOpen = false; // after "Controlla"
    QWidget *parent = nullptr;
};

// Runs `open`, which shows a check window modally; once it is on screen types `typed` into its
// field, presses "Controlla" when asked and closes it with "Chiudi" if it is still open.
template <typename Window>
Visit visit(const QString &fieldName, const QString &typed, bool check, const std::function<void()> &open)
{
    Visit v;
    auto ran = Modal::whenShown<Window>([&](Window *w) {
        auto *field = w->template findChild<QLineEdit *>(fieldName);
        v.className = QString::fromLatin1(w->metaObject()->className());
        v.caption = w->windowTitle();
        v.parent = w->parentWidget();
        v.initialText = field->text();
        v.focusInField = w->focusWidget() == field;
        QTest::keyClicks(field, typed);
        v.shownText = field->text();
        if (check)
            w->template findChild<QPushButton *>(QStringLiteral("btnControlla"))->click();
        v.stillOpen = w->isVisible();
        if (v.stillOpen)
            w->template findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
    });
    open();
    if (!*ran)
        qWarning("the check window did not open");
    return v;
}

} // namespace

class TestTaxIdWindows : public QObject
{
    Q_OBJECT
    QWidget m_caller;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        m_caller.show();
    }

    void taxCodeWindow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("stillOpen");
        const QString valid = QString::fromUtf8("Il codice fiscale digitato è VALIDO.");
        const QString wrong = QString::fromUtf8("Attenzione: il codice fiscale digitato è ERRATO.");
        const QString length = QStringLiteral(
            "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
        QTest::newRow("valid") << "RSSMRA80A01H501U"
                               << "RSSMRA80A01H501U" << int(Kind::Information) << valid << false;
        QTest::newRow("lower case") << "rssmra80a01h501u"
                                    << "RSSMRA80A01H501U" << int(Kind::Information) << valid << false;
        QTest::newRow("blanks around") << "  RSSMRA80A01H501U "
                                       << "RSSMRA80A01H501U" << int(Kind::Information) << valid << false;
        QTest::newRow("wrong check letter") << "RSSMRA80A01H501X"
                                            << "RSSMRA80A01H501X" << int(Kind::Warning) << wrong << false;
        QTest::newRow("digit as check character")
            << "RSSMRA80A01H5011"
            << "RSSMRA80A01H5011" << int(Kind::Warning) << wrong << false;
        QTest::newRow("fifteen characters") << "RSSMRA80A01H501"
                                            << "RSSMRA80A01H501" << int(Kind::Warning) << length << true;
        QTest::newRow("nothing typed") << ""
                                       << "" << int(Kind::Warning) << length << true;
        QTest::newRow("typing stops at sixteen")
            << "RSSMRA80A01H501UXYZ"
            << "RSSMRA80A01H501U" << int(Kind::Information) << valid << false;
    }

    void taxCodeWindow()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(bool, stillOpen);
        BoxRecorder boxes;
        const Visit v = visit<TfrmCodFisc>(QStringLiteral("txtCodFisc"), typed, true,
                                           [this] { openTaxCodeCheck(&m_caller, QString()); });
        QCOMPARE(v.caption, QStringLiteral(" Controllo codice fiscale"));
        QVERIFY(v.focusInField);
        QCOMPARE(v.shownText, shown);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(int(boxes.boxes[0].first), kind);
        QCOMPARE(boxes.boxes[0].second, message);
        QCOMPARE(v.stillOpen, stillOpen);
    }

    void taxCodeWindow_enterMovesToTheCheckButton()
    {
        bool onButton = false;
        Modal::whenShown<TfrmCodFisc>([&](TfrmCodFisc *w) {
            QTest::keyClick(w->findChild<QLineEdit *>(QStringLiteral("txtCodFisc")), Qt::Key_Return);
            onButton = w->focusWidget() == w->findChild<QPushButton *>(QStringLiteral("btnControlla"));
            w->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
        });
        BoxRecorder boxes;
        openTaxCodeCheck(&m_caller, QStringLiteral("RSSMRA80A01H501U"));
        QVERIFY(onButton);
        QVERIFY(boxes.boxes.isEmpty()); // Enter moves on; it does not check
    }

    void vatNumberWindow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("stillOpen");
        const QString valid = QStringLiteral(
            "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio "
            "IVA del Comune di ");
        const QString wrong =
            QString::fromUtf8("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                              "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                              "che lo ha rilasciato.");
        const QString length =
            QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
        QTest::newRow("Roma 1") << "00000000588"
                                << "00000000588" << int(Kind::Information) << valid + "Roma 1." << false;
        QTest::newRow("office not in the table")
            << "00000000000"
            << "00000000000" << int(Kind::Information) << valid + "." << false;
        QTest::newRow("letters are not typed")
            << "0000a000b0588"
            << "00000000588" << int(Kind::Information) << valid + "Roma 1." << false;
        QTest::newRow("wrong check digit") << "00000000580"
                                           << "00000000580" << int(Kind::Warning) << wrong << false;
        QTest::newRow("ten digits") << "0000000058"
                                    << "0000000058" << int(Kind::Warning) << length << true;
    }

    void vatNumberWindow()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(bool, stillOpen);
        BoxRecorder boxes;
        const Visit v = visit<TfrmPartitaIva>(QStringLiteral("txtPartitaIva"), typed, true,
                                              [this] { openVatNumberCheck(&m_caller, QString()); });
        QCOMPARE(v.caption, QStringLiteral(" Controllo partita IVA"));
        QVERIFY(v.focusInField);
        QCOMPARE(v.shownText, shown);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(int(boxes.boxes[0].first), kind);
        QCOMPARE(boxes.boxes[0].second, message);
        QCOMPARE(v.stillOpen, stillOpen);
    }

    // A number longer than 11 digits handed over by a tax-code box is checked whole: it gets the
    // length warning, not the verdict on its first 11 digits.
    void vatNumberWindow_checksTheWholeNumberGiven()
    {
        BoxRecorder boxes;
        const Visit v = visit<TfrmPartitaIva>(QStringLiteral("txtPartitaIva"), QString(), true, [this] {
            openVatNumberCheck(&m_caller, QStringLiteral("0000000058812345"));
        });
        QCOMPARE(v.initialText, QStringLiteral("0000000058812345"));
        QCOMPARE(boxes.texts(),
                 QStringList{"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."});
        QVERIFY(v.stillOpen);
    }

    // The tax code button's rule: digits only open the VAT number check, anything else (nothing
    // included) the tax code check, with the text trimmed in its field.
    void taxIdButtonOpensTheRightCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("VAT number") << " 00000000588 "
                                    << "TfrmPartitaIva"
                                    << "txtPartitaIva"
                                    << "00000000588";
        QTest::newRow("one digit") << "7"
                                   << "TfrmPartitaIva"
                                   << "txtPartitaIva"
                                   << "7";
        // A tax-code box holds 16 characters: the VAT window shows every digit it was given.
        QTest::newRow("sixteen digits") << "0000000058812345"
                                        << "TfrmPartitaIva"
                                        << "txtPartitaIva"
                                        << "0000000058812345";
        QTest::newRow("tax code") << "rssmra80a01h501u"
                                  << "TfrmCodFisc"
                                  << "txtCodFisc"
                                  << "RSSMRA80A01H501U";
        QTest::newRow("digits and a letter") << "0000000058X"
                                             << "TfrmCodFisc"
                                             << "txtCodFisc"
                                             << "0000000058X";
        QTest::newRow("empty") << ""
                               << "TfrmCodFisc"
                               << "txtCodFisc"
                               << "";
    }

    void taxIdButtonOpensTheRightCheck()
    {
        QFETCH(QString, text);
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        BoxRecorder boxes;
        const Visit v = visit<QDialog>(field, QString(), false, [&] { openTaxIdCheck(&m_caller, text); });
        QCOMPARE(v.className, window);
        QCOMPARE(v.initialText, shown);
        QCOMPARE(v.parent, &m_caller);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void memberSheetButtonOpensTheChecks_data() { taxIdButtonOpensTheRightCheck_data(); }

    void memberSheetButtonOpensTheChecks()
    {
        QFETCH(QString, text);
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        setProgramFolder(dir.path());
        BoxRecorder boxes;
        TfrmTiratori sheet;
        sheet.show();
        sheet.field(QStringLiteral("txtCodFisc"))->setText(text);
        auto *button = sheet.findChild<QToolButton *>(QStringLiteral("btnCodFisc"));
        QVERIFY(button);
        const Visit v = visit<QDialog>(field, QString(), false, [&] { button->click(); });
        QCOMPARE(v.className, window);
        QCOMPARE(v.initialText, shown);
        QCOMPARE(v.parent, &sheet);
        QVERIFY(boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestTaxIdWindows)
#include "tst_taxidwindows.moc"
