// The receipts work area through its real windows: the year menu, and the receipt window's
// numbering, amount entry, save checks, saving, browsing, duplicating and closing.
#include "TestSupport.h"
#include "app/AppTestSupport.h"

#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/WindowRegistry.h"
#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmMenuRicevute.h"
#include "receipts/TfrmRicevuta.h"
#include "records/YearFile.h"
#include "reports/SearchWindow.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using MsgBox::Kind;
using namespace Receipt;

namespace {

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna ricevuta.");

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// A stored receipt whose texts all name it.
Record stored(const QString &number)
{
    Record r;
    r[NumRic] = number;
    r[Data] = QStringLiteral("05/03/2024");
    r[Importo] = number;
    r[Cents] = QStringLiteral("50");
    r[CentLettere] = QStringLiteral("50");
    r[Intero] = number + QStringLiteral(",50");
    r[ImpLettere] = QStringLiteral("PAROLE ") + number;
    r[Pagatore] = QStringLiteral("Pagatore ") + number;
    r[CodFisc] = QStringLiteral("CF") + number;
    r[Sport] = QStringLiteral("Nuoto");
    r[Dal] = QStringLiteral("01/03/2024");
    r[Al] = QStringLiteral("31/03/2024");
    r[Ricevente01] = QStringLiteral("A.S.D. Storica");
    return r;
}

} // namespace

class TestReceiptWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmRicevuta> m_window;
    std::unique_ptr<BoxRecorder> m_boxes;

    TfrmRicevuta *w() { return m_window.get(); }
    QLineEdit *f(const char *name) { return m_window->field(QLatin1String(name)); }
    QString text(const char *name)
    {
        if (QLineEdit *e = f(name))
            return e->text();
        return m_window->label(QLatin1String(name))->text();
    }
    void click(const char *name)
    {
        auto *b = m_window->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY2(b, name);
        b->click();
    }
    QString yearPath() { return YearFile::pathFor(QStringLiteral("2024")); }
    void appendStored(const QStringList &numbers)
    {
        for (const QString &n : numbers)
            QVERIFY(YearFile(yearPath()).append(stored(n)) >= 0);
    }
    // The stored field as it lies in the year file: length byte, then the text bytes.
    QByteArray storedField(int record, int field)
    {
        const QByteArray bytes = readAll(yearPath());
        const qsizetype at = qsizetype(record) * kRecordSize + kFields[size_t(field)].offset;
        if (at >= bytes.size())
            return QByteArray("<missing>");
        return bytes.mid(at, 1 + quint8(bytes.at(at)));
    }
    void fillComplete()
    {
        f("txtNumRic")->setText(QStringLiteral("7"));
        f("txtData")->setText(QStringLiteral("05/03/2024"));
        f("txtPagatore")->setText(QStringLiteral("Rossi Mario"));
        f("txtCodFisc")->setText(QStringLiteral("RSSMRA80A01H501U"));
        f("txtSport")->setText(QStringLiteral("Nuoto"));
        f("txtDal")->setText(QStringLiteral("01/03/2024"));
        f("txtAl")->setText(QStringLiteral("31/03/2024"));
    }
    QString onlyBox(Kind kind)
    {
        if (m_boxes->boxes.size() != 1 || m_boxes->boxes.first().first != kind)
            return QStringLiteral("<not one box of that kind: %1>")
                .arg(m_boxes->texts().join(QLatin1Char('|')));
        return m_boxes->boxes.first().second;
    }

private slots:
    void initTestCase() { corvallaTestInit(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        setProgramFolder(m_dir->path());
        m_boxes = std::make_unique<BoxRecorder>();
        m_window = std::make_unique<TfrmRicevuta>();
        m_window->openYear(QStringLiteral("2024"));
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_boxes.reset();
        Windows::clear();
    }

    // Year "24" or nothing: a warning and the year menu stays; a four-digit year opens its file in
    // the receipt window, without creating it.
    void yearMenu_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("opens");
        QTest::newRow("two digits") << "24" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("four digits") << "2025" << true;
    }
    void yearMenu()
    {
        QFETCH(QString, year);
        QFETCH(bool, opens);
        m_window->hide();
        TfrmAvvio mainMenu;
        TfrmMenuRicevute menu;
        for (QWidget *window :
             {static_cast<QWidget *>(&mainMenu), static_cast<QWidget *>(&menu), static_cast<QWidget *>(w())})
            Windows::add(window);
        Corvalla::connectWindowSet();
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto *yearField = menu.findChild<QLineEdit *>(QStringLiteral("txtAnnoPreventivi"));
        QCOMPARE(yearField->text(), QString::number(QDate::currentDate().year()));
        QCOMPARE(callerContext(&menu), QStringLiteral("avvio"));
        QCOMPARE(menu.focusWidget(), yearField);

        yearField->setText(year);
        menu.findChild<QPushButton *>(QStringLiteral("btnApriPreventivi"))->click();
        if (!opens) {
            QCOMPARE(onlyBox(Kind::Warning), QStringLiteral("Attenzione: indicare l'anno solare utilizzando "
                                                            "quattro cifre."));
            QVERIFY(menu.isVisible());
            QVERIFY(!w()->isVisible());
            QCOMPARE(callerContext(&menu), QStringLiteral("avvio"));
            // Leaving without a year goes back to the main menu.
            QTest::mouseClick(menu.findChild<QWidget *>(QStringLiteral("imgEsci")), Qt::LeftButton);
            QVERIFY(!menu.isVisible());
            QVERIFY(mainMenu.isVisible());
            return;
        }
        QCOMPARE(m_boxes->boxes.size(), 0);
        QVERIFY(!menu.isVisible());
        QVERIFY(w()->isVisible());
        QVERIFY(!mainMenu.isVisible());
        QCOMPARE(callerContext(&menu), QStringLiteral("ricevute"));
        QCOMPARE(w()->windowTitle(), QStringLiteral(" Corvalla - Archivio ricevute anno 2025"));
        QCOMPARE(w()->yearFilePath(), QDir(m_dir->path()).filePath(QStringLiteral("2025.ric")));
        QVERIFY(!QFile::exists(w()->yearFilePath()));

        // The next visit starts again from the current year.
        w()->hide();
        menu.show();
        QCOMPARE(yearField->text(), QString::number(QDate::currentDate().year()));
        QCOMPARE(callerContext(&menu), QStringLiteral("avvio"));
    }

    // The year field takes digits only, whether typed or pasted; Enter goes to "Apri".
    void yearMenu_yearFieldTakesDigitsOnly()
    {
        TfrmMenuRicevute menu;
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto *yearField = menu.findChild<QLineEdit *>(QStringLiteral("txtAnnoPreventivi"));
        yearField->setFocus();
        yearField->clear();
        QTest::keyClicks(yearField, QStringLiteral("2a0 2.5"));
        QCOMPARE(yearField->text(), QStringLiteral("2025"));
        yearField->clear();
        yearField->insert(QStringLiteral("20x5"));
        QCOMPARE(yearField->text(), QString());
        QTest::keyClick(yearField, Qt::Key_Return);
        QCOMPARE(menu.focusWidget(), menu.findChild<QPushButton *>(QStringLiteral("btnApriPreventivi")));
    }

    void help_data()
    {
        QTest::addColumn<bool>("fromYearMenu");
        QTest::newRow("year menu") << true;
        QTest::newRow("receipt window") << false;
    }
    void help()
    {
        QFETCH(bool, fromYearMenu);
        TfrmMenuRicevute menu;
        QString title;
        QString helpText;
        auto read = [&](QWidget *window) {
            title = window->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
            helpText = window->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->toPlainText();
        };
        if (fromYearMenu) {
            menu.show();
            QVERIFY(QTest::qWaitForWindowExposed(&menu));
            QCOMPARE(withModalWindow(
                         [&] {
                             QTest::mouseClick(menu.findChild<QWidget *>(QStringLiteral("imgGuida")),
                                               Qt::LeftButton);
                         },
                         read),
                     QByteArray("TfrmGuida"));
        } else {
            QCOMPARE(withModalWindow([&] { click("cmdGuida"); }, read), QByteArray("TfrmGuida"));
        }
        QCOMPARE(title, QStringLiteral("App Stampa Ricevute"));
        QVERIFY(helpText.contains(QStringLiteral("COPIA PER IL PAGATORE")));
    }

    void showingStartsANewReceipt()
    {
        writeFile(ReceiptSettings::filePath(), "[Ricevente]\r\nRigo 1=A.S.D. Corvalla\r\nRigo 3=Roma\r\n");
        fillComplete();
        f("txtImporto")->setText(QStringLiteral("12"));
        w()->hide();
        w()->show();
        QCOMPARE(text("txtRicevente01"), QStringLiteral("A.S.D. Corvalla"));
        QCOMPARE(text("txtRicevente02"), QString());
        QCOMPARE(text("txtRicevente03"), QStringLiteral("Roma"));
        for (const char *empty : {"txtNumRic", "txtPagatore", "txtCodFisc", "txtSport", "txtDal", "txtAl",
                                  "txtImporto", "txtImpLettere", "txtIntero", "lblPosizione"})
            QVERIFY2(text(empty).isEmpty(), empty);
        QCOMPARE(text("txtData"), today());
        QCOMPARE(text("txtCents"), QStringLiteral("00"));
        QCOMPARE(text("txtCentLettere"), QStringLiteral("00"));
        QCOMPARE(w()->focusWidget(), f("txtPagatore"));
        QCOMPARE(w()->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova ricevuta..."));
        // Showing opens no year file.
        QVERIFY(!QFile::exists(yearPath()));
        for (int i = 0; i < FieldCount; ++i)
            if (QLineEdit *e = w()->field(fieldName(i))) {
                QCOMPARE(e->maxLength(), fieldWidth(i));
                const bool amount = i == Importo || i == Cents;
                if (e != w()->focusWidget())
                    QCOMPARE(Conventions::fieldBackground(e),
                             amount ? QColor(Qt::white) : Conventions::kOptionalColour);
            }
    }

    // Enter walks the fields in one ring, the date fields included.
    void enterRing()
    {
        const char *ring[] = {"txtRicevente01", "txtRicevente02", "txtRicevente03", "txtRicevente04",
                              "txtNumRic",      "txtData",        "txtPagatore",    "txtCodFisc",
                              "txtSport",       "txtDal",         "txtAl",          "txtPraticante",
                              "txtLuogoNasc",   "txtDataNasc",    "txtIndirizzo",   "txtImporto",
                              "txtCents",       "txtRicevente01"};
        f(ring[0])->setFocus();
        for (size_t i = 1; i < std::size(ring); ++i) {
            QTest::keyClick(w()->focusWidget(), Qt::Key_Return);
            QCOMPARE(w()->focusWidget()->objectName(), QLatin1String(ring[i]));
        }
    }

    // The three dates are picked, never typed: a key opens the picker with the field's context and
    // the picked date goes into that field only; Backspace empties the field.
    void dateFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("context");
        QTest::newRow("issue date") << "txtData"
                                    << "data";
        QTest::newRow("period start") << "txtDal"
                                      << "dal";
        QTest::newRow("period end") << "txtAl"
                                    << "Al";
    }
    void dateFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, context);
        for (const char *name : {"txtData", "txtDal", "txtAl"})
            f(name)->setText(QStringLiteral("01/01/2020"));
        QLineEdit *date = w()->field(field);
        date->setFocus();
        QString seenContext;
        const QByteArray picker =
            withModalWindow([&] { QTest::keyClick(date, Qt::Key_5); },
                            [&](QWidget *window) {
                                seenContext = callerContext(window);
                                window->findChild<QPushButton *>(QStringLiteral("btnImportaData"))->click();
                            });
        QCOMPARE(picker, QByteArray("TfrmCalendario"));
        QCOMPARE(seenContext, context);
        for (const char *name : {"txtData", "txtDal", "txtAl"})
            QCOMPARE(text(name), field == QLatin1String(name) ? today() : QStringLiteral("01/01/2020"));
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QString());
    }

    // The words follow every change of the euros box, however the text arrives; the box takes
    // digits only, however they arrive.
    void wordsFollowTheEuros_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("euros");
        QTest::addColumn<QString>("words");
        QTest::newRow("typed") << "type"
                               << "120"
                               << "5120"
                               << "CINQUEMILACENTOVENTI";
        QTest::newRow("letters typed are ignored") << "type"
                                                   << "1a2"
                                                   << "512"
                                                   << "CINQUECENTODODICI";
        QTest::newRow("typed beyond eight digits") << "type"
                                                   << "123456789"
                                                   << "51234567"
                                                   << "CINQUANTUNOMILIONIDUECENTOTRENTAQUATTROMILACINQUECENTO"
                                                      "SESSANTASETTE";
        QTest::newRow("pasted") << "paste"
                                << "250"
                                << "5250"
                                << "CINQUEMILADUECENTOCINQUANTA";
        QTest::newRow("letters pasted are refused") << "paste"
                                                    << "12a"
                                                    << "5"
                                                    << "CINQUE";
        QTest::newRow("dropped") << "drop"
                                 << "00"
                                 << "500"
                                 << "CINQUECENTO";
        QTest::newRow("letters dropped are refused") << "drop"
                                                     << "1,5"
                                                     << "5"
                                                     << "CINQUE";
        QTest::newRow("leading zeros") << "replace"
                                       << "007"
                                       << "007"
                                       << "SETTE";
        QTest::newRow("zeros") << "replace"
                               << "000"
                               << "000"
                               << "ZERO";
        QTest::newRow("emptied") << "replace"
                                 << ""
                                 << ""
                                 << "";
    }
    void wordsFollowTheEuros()
    {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, euros);
        QFETCH(QString, words);
        QLineEdit *box = f("txtImporto");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_5);
        QCOMPARE(this->text("txtImpLettere"), QStringLiteral("CINQUE"));
        box->end(false);
        if (how == QLatin1String("type")) {
            QTest::keyClicks(box, text);
        } else if (how == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(text);
            box->paste();
        } else if (how == QLatin1String("drop")) {
            QMimeData mime;
            mime.setText(text);
            const QPointF at(box->width() - 4, box->height() / 2);
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &drop);
        } else {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, text);
        }
        QCOMPARE(box->text(), euros);
        QCOMPARE(this->text("txtImpLettere"), words);
    }

    // The cents copy follows the cents box; leaving the box completes it.
    void centsBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("copyWhileTyping");
        QTest::addColumn<QString>("onLeaving");
        QTest::newRow("one digit") << "5"
                                   << "5"
                                   << "50";
        QTest::newRow("two digits") << "05"
                                    << "05"
                                    << "05";
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "00";
        QTest::newRow("letters ignored") << "x7"
                                         << "7"
                                         << "70";
    }
    void centsBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, copyWhileTyping);
        QFETCH(QString, onLeaving);
        QLineEdit *cents = f("txtCents");
        cents->setFocus();
        cents->selectAll();
        QTest::keyClick(cents, Qt::Key_Delete);
        QTest::keyClicks(cents, typed);
        QCOMPARE(text("txtCentLettere"), copyWhileTyping);
        f("txtPagatore")->setFocus();
        QCOMPARE(cents->text(), onLeaving);
        QCOMPARE(text("txtCentLettere"), onLeaving);
        cents->selectAll();
        cents->insert(QStringLiteral("a"));
        QCOMPARE(cents->text(), onLeaving);
    }

    void clickOnTheWordsExplainsThem()
    {
        QTest::mouseClick(w()->label(QStringLiteral("txtImpLettere")), Qt::LeftButton);
        QCOMPARE(onlyBox(Kind::Information), QStringLiteral("Digitare l'importo in cifre nella casella del "
                                                            "Totale.\n\r\n\rL'importo in lettere apparirà in "
                                                            "automatico."));
        QCOMPARE(w()->focusWidget(), f("txtImporto"));
    }

    void taxCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("check");
        QTest::newRow("tax code in lower case") << " rssmra80a01h501u"
                                                << "RSSMRA80A01H501U" << QByteArray("TfrmCodFisc");
        QTest::newRow("VAT number") << "12345678903"
                                    << "12345678903" << QByteArray("TfrmPartitaIva");
        QTest::newRow("nothing") << ""
                                 << "" << QByteArray("TfrmCodFisc");
    }
    void taxCode()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, check);
        QLineEdit *code = f("txtCodFisc");
        code->setFocus();
        QTest::keyClicks(code, typed);
        QCOMPARE(code->text(), shown);
        QString inWindow;
        QCOMPARE(withModalWindow([&] { click("btnCodFisc"); },
                                 [&](QWidget *window) {
                                     auto *e = window->findChild<QLineEdit *>(QStringLiteral("txtCodFisc"));
                                     if (!e)
                                         e = window->findChild<QLineEdit *>(QStringLiteral("txtPartitaIva"));
                                     inWindow = e ? e->text() : QStringLiteral("<no field>");
                                 }),
                 check);
        QCOMPARE(inWindow, shown);
        QCOMPARE(code->text(), shown);
    }

    // Salva completes the amount first (kept even when a check fails), then runs the checks in
    // their order; the first failing one warns, takes the focus and nothing is written.
    void salvaChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("emptied");
        QTest::addColumn<QString>("badDate");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");
        const QStringList all{"txtNumRic", "txtData", "txtPagatore", "txtCodFisc",
                              "txtSport",  "txtDal",  "txtAl"};
        QTest::newRow("everything empty") << all << QString() << "txtNumRic"
                                          << "Attenzione: per salvare la scheda è necessario indicare il "
                                             "numero progressivo della ricevuta.";
        QTest::newRow("issue date")
            << all.mid(1) << QString() << "txtData"
            << "Attenzione: per salvare la scheda è necessario indicare la data di emissione della ricevuta.";
        QTest::newRow("issue date that does not exist")
            << all.mid(2) << "31/02/2024"
            << "txtData"
            << "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
               "indicare "
               "una data valida nel formato gg/mm/anno.";
        QTest::newRow("payer")
            << all.mid(2) << QString() << "txtPagatore"
            << "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore.";
        QTest::newRow("tax code")
            << all.mid(3) << QString() << "txtCodFisc"
            << "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del pagatore.";
        QTest::newRow("sport")
            << all.mid(4) << QString() << "txtSport"
            << "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva "
               "praticata.";
        QTest::newRow("period start") << all.mid(5) << QString() << "txtDal"
                                      << "Attenzione: per salvare la scheda è necessario indicare la data di "
                                         "inizio del periodo a cui il "
                                         "pagamento si riferisce.";
        QTest::newRow("period end") << all.mid(6) << QString() << "txtAl"
                                    << "Attenzione: per salvare la scheda è necessario indicare la data di "
                                       "scadenza del periodo a cui il "
                                       "pagamento si riferisce.";
        QTest::newRow("blanks only") << QStringList{"txtPagatore=   "} << QString() << "txtPagatore"
                                     << "Attenzione: per salvare la scheda è necessario indicare il nome del "
                                        "pagatore.";
    }
    void salvaChecksInOrder()
    {
        QFETCH(QStringList, emptied);
        QFETCH(QString, badDate);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        fillComplete();
        for (const QString &name : emptied) {
            const qsizetype eq = name.indexOf(QLatin1Char('='));
            w()->field(name.left(eq))->setText(eq < 0 ? QString() : name.mid(eq + 1));
        }
        if (!badDate.isEmpty())
            f("txtData")->setText(badDate);
        f("txtCents")->setFocus();
        f("txtCents")->setText(QStringLiteral("5"));
        click("cmdSalva");
        QCOMPARE(onlyBox(Kind::Warning), message);
        QCOMPARE(w()->focusWidget(), w()->field(focus));
        QCOMPARE(readAll(yearPath()), QByteArray());
        QCOMPARE(text("lblPosizione"), QString());
        // The completed amount stays.
        QCOMPARE(text("txtImporto"), QStringLiteral("0"));
        QCOMPARE(text("txtCents"), QStringLiteral("50"));
        QCOMPARE(text("txtCentLettere"), QStringLiteral("50"));
        QCOMPARE(text("txtIntero"), QStringLiteral("0,50"));
        QCOMPARE(text("txtImpLettere"), QStringLiteral("ZERO"));
    }

    // What Salva stores: the completed amount with the words of the stored euros, every field
    // trimmed and cut to its width; a new receipt is appended at the end.
    void salvaStoresTheCompletedAmount_data()
    {
        QTest::addColumn<QString>("euros");
        QTest::addColumn<QString>("cents");
        QTest::addColumn<QByteArray>("storedEuros");
        QTest::addColumn<QByteArray>("storedCents");
        QTest::addColumn<QByteArray>("whole");
        QTest::addColumn<QByteArray>("words");
        QTest::newRow("one cent digit") << "120"
                                        << "5"
                                        << QByteArray("\x03"
                                                      "120")
                                        << QByteArray("\x02"
                                                      "50")
                                        << QByteArray("\x06"
                                                      "120,50")
                                        << QByteArray("\x0a"
                                                      "CENTOVENTI");
        QTest::newRow("nothing typed") << ""
                                       << ""
                                       << QByteArray("\x01"
                                                     "0")
                                       << QByteArray("\x02"
                                                     "00")
                                       << QByteArray("\x04"
                                                     "0,00")
                                       << QByteArray("\x04"
                                                     "ZERO");
        QTest::newRow("leading zeros") << "007"
                                       << "99"
                                       << QByteArray("\x03"
                                                     "007")
                                       << QByteArray("\x02"
                                                     "99")
                                       << QByteArray("\x06"
                                                     "007,99")
                                       << QByteArray("\x05"
                                                     "SETTE");
        QTest::newRow("eight digits")
            << "54454454"
            << "1"
            << QByteArray("\x08"
                          "54454454")
            << QByteArray("\x02"
                          "10")
            << QByteArray("\x0b"
                          "54454454,10")
            << QByteArray("\x53"
                          "CINQUANTAQUATTROMILIONIQUATTROCENTOCINQUANTAQUATTROMILAQUATTRO"
                          "CENTOCINQUANTAQUATTRO");
    }
    void salvaStoresTheCompletedAmount()
    {
        QFETCH(QString, euros);
        QFETCH(QString, cents);
        QFETCH(QByteArray, storedEuros);
        QFETCH(QByteArray, storedCents);
        QFETCH(QByteArray, whole);
        QFETCH(QByteArray, words);
        appendStored({QStringLiteral("1")});
        fillComplete();
        f("txtPagatore")->setText(QString(60, u'P'));
        f("txtIndirizzo")->setText(QStringLiteral(" Via Roma 1 "));
        f("txtImporto")->setText(euros);
        f("txtCents")->setText(cents);
        click("cmdSalva");
        QCOMPARE(onlyBox(Kind::Information), kInserted);
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        QCOMPARE(readAll(yearPath()).size(), 2 * kRecordSize);
        QCOMPARE(storedField(1, Importo), storedEuros);
        QCOMPARE(storedField(1, Cents), storedCents);
        QCOMPARE(storedField(1, CentLettere), storedCents);
        QCOMPARE(storedField(1, Intero), whole);
        QCOMPARE(storedField(1, ImpLettere), words);
        QCOMPARE(storedField(1, Pagatore), char(50) + QByteArray(50, 'P'));
        QCOMPARE(storedField(1, Indirizzo), QByteArray("\x0aVia Roma 1"));
        QCOMPARE(storedField(1, Data), QByteArray("\x0a"
                                                  "05/03/2024"));
        QCOMPARE(storedField(0, NumRic), QByteArray("\x01"
                                                    "1"));
    }

    // A receipt on show is rewritten in place, even when its number was changed; a failed write
    // reports the access message as a warning and keeps every receipt.
    void salvaUpdatesTheReceiptOnShow()
    {
        appendStored({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
        const QByteArray before = readAll(yearPath());
        click("cmdPrimo");
        click("cmdAvanti");
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        f("txtNumRic")->setText(QStringLiteral("40"));
        click("cmdSalva");
        QCOMPARE(onlyBox(Kind::Information), kUpdated);
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        const QByteArray after = readAll(yearPath());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(kRecordSize), before.left(kRecordSize));
        QCOMPARE(after.mid(2 * kRecordSize), before.mid(2 * kRecordSize));
        QCOMPARE(storedField(1, NumRic), QByteArray("\x02"
                                                    "40"));
        // The stored words were not those of the stored euros: saving states the euros in words.
        QCOMPARE(storedField(1, ImpLettere), QByteArray("\x03"
                                                        "DUE"));

        // The year file disappears and a folder takes its name: the save fails, nothing is lost.
        QVERIFY(QFile::remove(yearPath()));
        QVERIFY(QDir().mkpath(yearPath()));
        m_boxes->boxes.clear();
        click("cmdSalva");
        QCOMPARE(onlyBox(Kind::Warning), kAccess);
        QVERIFY(QFileInfo(yearPath()).isDir());
    }

    // Nuovo: the start number plus the receipts in the year file, whatever numbers they carry.
    void nuovoNumbers_data()
    {
        QTest::addColumn<QString>("start"); // "-": no settings file
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("number"); // "": refused with the access message
        QTest::newRow("no settings, no year file") << "-" << QStringList() << "1";
        QTest::newRow("renumbered receipt ignored") << "" << QStringList{"1", "2", "40", "4", "5"} << "6";
        QTest::newRow("start 100") << "100" << QStringList{"100", "101"} << "102";
        QTest::newRow("start 50, three receipts") << "50" << QStringList{"a", "b", "c"} << "53";
        QTest::newRow("start 0") << "0" << QStringList() << "0";
        QTest::newRow("start with leading zeros") << "007" << QStringList() << "7";
        QTest::newRow("start not a whole number") << "12,5" << QStringList{"1"} << "";
        QTest::newRow("start of letters") << "abc" << QStringList() << "";
    }
    void nuovoNumbers()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, numbers);
        QFETCH(QString, number);
        if (start != QLatin1String("-"))
            QVERIFY(Ini::write(ReceiptSettings::filePath(), QStringLiteral("Numerazione Ricevute"),
                               QStringLiteral("Inizio"), start));
        appendStored(numbers);
        f("txtRicevente01")->setText(QStringLiteral("A.S.D. Corvalla"));
        fillComplete();
        f("txtImporto")->setText(QStringLiteral("30"));
        w()->label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("1"));

        click("cmdNuovo");
        if (number.isEmpty())
            QCOMPARE(onlyBox(Kind::Error), kAccess);
        else
            QCOMPARE(m_boxes->boxes.size(), 0);
        QCOMPARE(text("txtNumRic"), number);
        QVERIFY(QFile::exists(yearPath()));
        // The receipt was cleared before it was numbered; the heading stays.
        QCOMPARE(text("txtRicevente01"), QStringLiteral("A.S.D. Corvalla"));
        QCOMPARE(text("txtData"), today());
        for (const char *empty : {"txtPagatore", "txtCodFisc", "txtSport", "txtDal", "txtAl", "txtImporto",
                                  "txtImpLettere", "lblPosizione"})
            QVERIFY2(text(empty).isEmpty(), empty);
        QCOMPARE(text("txtCents"), QStringLiteral("00"));
        QCOMPARE(text("txtCentLettere"), QStringLiteral("00"));
        QCOMPARE(text("txtIntero"), QStringLiteral("0,00"));
        QCOMPARE(w()->focusWidget(), f("txtPagatore"));
    }

    // Another copy of the program stores a receipt between Nuovo and Salva: the new receipt takes
    // the next free number when it is stored, and the user is told which. A number typed over the
    // one Nuovo gave is stored as typed.
    void salvaNumbersAgainWhenTheYearGrew_data()
    {
        QTest::addColumn<QString>("typed"); // "": the number Nuovo gave is kept
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("boxes");
        const QString taken =
            QStringLiteral("Attenzione: il numero 3 è stato assegnato nel frattempo a un'altra "
                           "ricevuta.\n\r\n\rLa ricevuta corrente è stata archiviata con il "
                           "numero 4.");
        QTest::newRow("number from Nuovo") << ""
                                           << "4" << QStringList{taken, kInserted};
        QTest::newRow("number typed") << "3/bis"
                                      << "3/bis" << QStringList{kInserted};
    }
    void salvaNumbersAgainWhenTheYearGrew()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QStringList, boxes);
        appendStored({"1", "2"});
        click("cmdNuovo");
        QCOMPARE(text("txtNumRic"), QStringLiteral("3"));
        fillComplete();
        f("txtNumRic")->setText(typed.isEmpty() ? QStringLiteral("3") : typed);
        appendStored({"3"}); // the other program
        click("cmdSalva");
        QCOMPARE(m_boxes->texts(), boxes);
        QCOMPARE(text("txtNumRic"), stored);
        QCOMPARE(w()->position(), QStringLiteral("4"));
        QCOMPARE(storedField(3, NumRic), QByteArray(1, char(stored.size())) + stored.toLatin1());
    }

    // A year file that cannot be opened stops Nuovo before anything is cleared.
    void nuovoWithAnUnreadableYearFile()
    {
        QVERIFY(QDir().mkpath(yearPath()));
        f("txtPagatore")->setText(QStringLiteral("Rossi"));
        click("cmdNuovo");
        QCOMPARE(onlyBox(Kind::Error), kAccess);
        QCOMPARE(text("txtPagatore"), QStringLiteral("Rossi"));
        QCOMPARE(text("txtNumRic"), QString());
    }

    void navigationOnAnEmptyYear_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shownBefore");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("first") << "cmdPrimo"
                               << ""
                               << "";
        QTest::newRow("last") << "cmdUltimo"
                              << ""
                              << "";
        QTest::newRow("next") << "cmdAvanti"
                              << ""
                              << "";
        QTest::newRow("previous") << "cmdIndietro"
                                  << ""
                                  << "";
        QTest::newRow("next from a stale position") << "cmdAvanti"
                                                    << "5"
                                                    << "";
        QTest::newRow("previous from a stale position") << "cmdIndietro"
                                                        << "5"
                                                        << "5";
    }
    void navigationOnAnEmptyYear()
    {
        QFETCH(QString, button);
        QFETCH(QString, shownBefore);
        QFETCH(QString, shownAfter);
        w()->label(QStringLiteral("lblPosizione"))->setText(shownBefore);
        click(qPrintable(button));
        QCOMPARE(onlyBox(Kind::Information), kEmpty);
        QCOMPARE(text("lblPosizione"), shownAfter);
        // Looking into a year creates its empty file.
        QCOMPARE(QFileInfo(yearPath()).size(), qint64(0));
        QVERIFY(QFileInfo(yearPath()).isFile());
    }

    void navigationOnAFullYear_data()
    {
        QTest::addColumn<int>("from"); // 0: new receipt
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("to"); // 0: nothing happens
        QTest::newRow("new, next") << 0 << "cmdAvanti" << 1;
        QTest::newRow("new, previous") << 0 << "cmdIndietro" << 1;
        QTest::newRow("new, first") << 0 << "cmdPrimo" << 1;
        QTest::newRow("new, last") << 0 << "cmdUltimo" << 3;
        QTest::newRow("1, next") << 1 << "cmdAvanti" << 2;
        QTest::newRow("3, previous") << 3 << "cmdIndietro" << 2;
        QTest::newRow("3, next at the end") << 3 << "cmdAvanti" << 0;
        QTest::newRow("1, previous at the start") << 1 << "cmdIndietro" << 0;
        QTest::newRow("3, first") << 3 << "cmdPrimo" << 1;
    }
    void navigationOnAFullYear()
    {
        QFETCH(int, from);
        QFETCH(QString, button);
        QFETCH(int, to);
        appendStored({QStringLiteral("11"), QStringLiteral("22"), QStringLiteral("33")});
        // A damaged tail of half a receipt is never shown.
        QFile file(yearPath());
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(500, 'z'));
        file.close();
        if (from > 0) {
            Record r;
            QVERIFY(YearFile(yearPath()).read(from - 1, r));
            w()->showReceipt(from - 1, r);
        }
        f("txtIndirizzo")->setText(QStringLiteral("non salvato"));

        click(qPrintable(button));
        QCOMPARE(m_boxes->boxes.size(), 0);
        if (to == 0) {
            QCOMPARE(text("lblPosizione"), QString::number(from));
            QCOMPARE(text("txtIndirizzo"), QStringLiteral("non salvato"));
            return;
        }
        const QString n = QString::number(11 * to);
        QCOMPARE(text("lblPosizione"), QString::number(to));
        QCOMPARE(w()->currentReceipt()[NumRic], n);
        QCOMPARE(text("txtPagatore"), QStringLiteral("Pagatore ") + n);
        QCOMPARE(text("txtRicevente01"), QStringLiteral("A.S.D. Storica"));
        QCOMPARE(text("txtIntero"), n + QStringLiteral(",50"));
        QCOMPARE(text("txtCentLettere"), QStringLiteral("50"));
        QCOMPARE(text("txtIndirizzo"), QString());
        // The words shown are those of the euros shown.
        QCOMPARE(text("txtImpLettere"), to == 1   ? QStringLiteral("UNDICI")
                                        : to == 2 ? QStringLiteral("VENTIDUE")
                                                  : QStringLiteral("TRENTATRE"));
    }

    // "previous" on the first receipt does not even count the year file.
    void previousOnTheFirstReceiptOpensNothing()
    {
        w()->label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("1"));
        click("cmdIndietro");
        QCOMPARE(m_boxes->boxes.size(), 0);
        QVERIFY(!QFile::exists(yearPath()));
    }

    void duplicate()
    {
        click("cmdDuplica");
        QCOMPARE(
            onlyBox(Kind::Warning),
            QStringLiteral("Attenzione: questa funzione serve a duplicare una ricevuta che è già stata "
                           "salvata in archivio.\n\r\n\rVisualizzare la ricevuta da duplicare e fare clic "
                           "sul pulsante Duplica."));
        QVERIFY(!QFile::exists(yearPath()));

        appendStored({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
        click("cmdUltimo");
        f("txtData")->setText(QStringLiteral("01/01/2020"));
        m_boxes->boxes.clear();
        click("cmdDuplica");
        QCOMPARE(
            onlyBox(Kind::Information),
            QStringLiteral("E' ora possibile apportare le proprie modifiche alla ricevuta corrente.\n\r\n\r"
                           "Al termine premere Salva per registrare i dati in archivio."));
        QCOMPARE(text("lblPosizione"), QString());
        QCOMPARE(text("txtNumRic"), QString());
        QCOMPARE(text("txtData"), today());
        QCOMPARE(text("txtPagatore"), QStringLiteral("Pagatore 3"));
        QCOMPARE(text("txtRicevente01"), QStringLiteral("A.S.D. Storica"));
        QCOMPARE(w()->focusWidget(), f("txtNumRic"));

        // No number, no save; with one, the copy is appended.
        m_boxes->boxes.clear();
        click("cmdSalva");
        QCOMPARE(onlyBox(Kind::Warning),
                 QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                "il numero progressivo della ricevuta."));
        f("txtNumRic")->setText(QStringLiteral("4"));
        m_boxes->boxes.clear();
        click("cmdSalva");
        QCOMPARE(onlyBox(Kind::Information), kInserted);
        QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
        QCOMPARE(storedField(3, Pagatore), QByteArray("\x0aPagatore 3"));
        QCOMPARE(storedField(2, NumRic), QByteArray("\x01"
                                                    "3"));
    }

    // "Trova" opens the receipt search on the year on show, with the context "ricevuta"; the receipt
    // double-clicked there is shown as a stored receipt, its record position with it.
    void trovaShowsTheChosenReceipt()
    {
        appendStored({"1", "2", "3"});
        f("txtPagatore")->setText(QStringLiteral("non salvato"));
        QString context;
        const QByteArray seen = withModalWindow(
            [&] { click("cmdTrova"); },
            [&](QWidget *window) {
                context = callerContext(window);
                auto *search = qobject_cast<SearchWindow *>(window);
                QTest::keyClicks(search->findChild<QLineEdit *>(QStringLiteral("txtPagatore")), "pagatore 2");
                search->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
                auto *list = search->findChild<QListView *>(QStringLiteral("lstRecords"));
                const QRect r = list->visualRect(list->model()->index(0, 0));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
            });
        QCOMPARE(seen, QByteArray("TfrmTrovaRic"));
        QCOMPARE(context, QStringLiteral("ricevuta"));
        QCOMPARE(text("txtPagatore"), QStringLiteral("Pagatore 2"));
        QCOMPARE(text("txtNumRic"), QStringLiteral("2"));
        QCOMPARE(w()->position(), QStringLiteral("2"));
    }

    // The receiver lines are written, trimmed, when the window closes, and the main menu comes
    // back; a settings file that cannot be written is reported.
    void closingWritesTheHeading()
    {
        TfrmAvvio mainMenu;
        Windows::add(&mainMenu);
        Windows::add(w());
        Corvalla::connectWindowSet();
        f("txtRicevente01")->setText(QStringLiteral("  A.S.D. Corvalla  "));
        f("txtRicevente04")->setText(QStringLiteral("C.F. 97000000000"));
        click("cmdEsci");
        QCOMPARE(m_boxes->boxes.size(), 0);
        QVERIFY(!w()->isVisible());
        QVERIFY(mainMenu.isVisible());
        const ReceiptSettings::HeadingLines lines = ReceiptSettings::headingLines();
        QCOMPARE(lines[0], QStringLiteral("A.S.D. Corvalla"));
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[3], QStringLiteral("C.F. 97000000000"));

        QVERIFY(QFile::remove(ReceiptSettings::filePath()));
        QVERIFY(QDir().mkpath(ReceiptSettings::filePath()));
        w()->show();
        w()->close();
        QCOMPARE(m_boxes->boxes.size(), 1);
        QCOMPARE(m_boxes->boxes.first().first, Kind::Warning);
        QVERIFY(m_boxes->boxes.first().second.startsWith(
            QStringLiteral("Attenzione: non è stato possibile salvare l'intestazione")));
        QVERIFY(!w()->isVisible());
    }
};

QTEST_MAIN(TestReceiptWindow)
#include "tst_receiptwindow.moc"
