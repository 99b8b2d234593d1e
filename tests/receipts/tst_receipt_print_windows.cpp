// The receipt's preview and print windows: what they print, the logo they load when shown, their
// warnings, and Annulla.
#include "TestSupport.h"

#include "ModalHelper.h"
#include "common/ProgramFolder.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmStampaRic.h"
#include "reports/Report.h"

#include <QBuffer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace Reports;

namespace {

const char *const kPreviewFailure =
    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
    "Accertarsi che la stampante sia configurata correttamente.";
const char *const kPrintFailure =
    "Attenzione: la stampa non è andata a buon fine.\n\r\n\rAccertarsi che la stampante sia configurata "
    "correttamente.";

ReceiptPrintWindow *makeWindow(bool preview, QWidget *parent = nullptr)
{
    if (preview)
        return new TfrmAnteprimaRic(parent);
    return new TfrmStampaRic(parent);
}

// Shows the window modally and presses `button` in it.
bool press(ReceiptPrintWindow *window, const char *button)
{
    auto pressed = Modal::whenShown<ReceiptPrintWindow>(
        [button](ReceiptPrintWindow *w) { w->findChild<QPushButton *>(QLatin1String(button))->click(); });
    window->exec();
    return *pressed;
}

} // namespace

class TestReceiptPrintWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<Destination> m_destinations;
    QList<PreparedReport> m_reports;
    bool m_outputSucceeds = true;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }
    void init()
    {
        m_destinations.clear();
        m_reports.clear();
        m_outputSucceeds = true;
        setOutputHook([this](const PreparedReport &r, Destination d, QString *error) {
            m_destinations.append(d);
            m_reports.append(r);
            if (!m_outputSucceeds && error)
                *error = QStringLiteral("guasto di prova");
            return m_outputSucceeds;
        });
    }
    void cleanupTestCase() { setOutputHook(nullptr); }

    void windowsAsTheReceiptWindowOpensThem_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("mainButton");
        QTest::newRow("preview") << true << "TfrmAnteprimaRic"
                                 << " Anteprima di stampa"
                                 << "Mostra anteprima";
        QTest::newRow("print") << false << "TfrmStampaRic"
                               << " Stampa ricevuta"
                               << "Stampa";
    }
    void windowsAsTheReceiptWindowOpensThem()
    {
        QFETCH(bool, preview);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, mainButton);
        std::unique_ptr<ReceiptPrintWindow> w(makeWindow(preview));
        QCOMPARE(w->objectName(), name);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("btnStampa"))->text(), mainButton);
        QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->text(),
                 QStringLiteral("Annulla"));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMinMaxButtonsHint));
    }

    // The main button prints the receipt it was given, with Logo.bmp as loaded when shown, and
    // closes; a failure shows the window's warning and closes too.
    void mainButtonPrintsTheReceipt_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("warning");
        QTest::newRow("preview") << true << true << QString();
        QTest::newRow("print") << false << true << QString();
        QTest::newRow("preview fails") << true << false << QString::fromUtf8(kPreviewFailure);
        QTest::newRow("print fails") << false << false << QString::fromUtf8(kPrintFailure);
    }
    void mainButtonPrintsTheReceipt()
    {
        QFETCH(bool, preview);
        QFETCH(bool, succeeds);
        QFETCH(QString, warning);
        m_outputSucceeds = succeeds;
        QImage logo(60, 30, QImage::Format_RGB32);
        logo.fill(QColor(0, 0, 200));
        QVERIFY(logo.save(programFolder() + QStringLiteral("Logo.bmp"), "BMP"));

        Receipt::Record receipt;
        receipt[Receipt::NumRic] = QStringLiteral(" 12 ");
        receipt[Receipt::Pagatore] = QStringLiteral("Rossi Mario");
        receipt[Receipt::ImpLettere] = QStringLiteral("VENTI");
        receipt[Receipt::CentLettere] = QStringLiteral("05");
        BoxRecorder boxes;
        std::unique_ptr<ReceiptPrintWindow> w(makeWindow(preview));
        w->setReceipt(receipt);
        QVERIFY(press(w.get(), "btnStampa"));
        QVERIFY(!w->isVisible());
        QCOMPARE(m_destinations, QList<Destination>{preview ? Destination::Preview : Destination::Printer});
        const PreparedReport &r = m_reports.first();
        QCOMPARE(r.orientation, QPageLayout::Portrait);
        for (const char *copy : {"", "_B"}) {
            QCOMPARE(r.find(0, QStringLiteral("txtNumRic") + QLatin1String(copy))->design.text,
                     QStringLiteral("Ricevuta n. 12"));
            QCOMPARE(r.find(0, QStringLiteral("txtPagatore") + QLatin1String(copy))->design.text,
                     QStringLiteral("Rossi Mario"));
            QCOMPARE(r.find(0, QStringLiteral("txtImpLettere") + QLatin1String(copy))->design.text,
                     QStringLiteral("VENTI/05"));
            QCOMPARE(r.find(0, QStringLiteral("imgLogo") + QLatin1String(copy))->picture.pixelColor(2, 2),
                     QColor(0, 0, 200));
        }
        QCOMPARE(w->logo().size(), QSize(60, 30));
        if (warning.isEmpty()) {
            QVERIFY(boxes.boxes.isEmpty());
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].first, MsgBox::Kind::Warning);
            QCOMPARE(boxes.boxes[0].second, warning);
        }
        QFile::remove(programFolder() + QStringLiteral("Logo.bmp"));
    }

    void annullaClosesWithoutPrinting_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << true;
        QTest::newRow("print") << false;
    }
    void annullaClosesWithoutPrinting()
    {
        QFETCH(bool, preview);
        std::unique_ptr<ReceiptPrintWindow> w(makeWindow(preview));
        QVERIFY(press(w.get(), "btnAnnulla"));
        QVERIFY(!w->isVisible());
        QVERIFY(m_destinations.isEmpty());
    }
};

QTEST_MAIN(TestReceiptPrintWindows)
#include "tst_receipt_print_windows.moc"
