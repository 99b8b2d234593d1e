// Printing through the real print dialog onto a real CUPS queue that writes PDF files. Runs under
// the CTest fixture that starts a private scheduler (scripts/cups-start.sh), which passes the
// scheduler in CUPS_SERVER and the queue's output folder in CORVALLA_PDF_DIR.
#include "TestSupport.h"

#include "../members/MemberFixtures.h"
#include "ModalHelper.h"
#include "PdfText.h"
#include "PrintQueue.h"
#include "common/Formats.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTiratori.h"
#include "reports/ListReportPage.h"

#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using namespace PrintQueue;

QString flat(const QString &s)
{
    return s.simplified();
}
} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private:
    QString m_pdfDir;
    QTemporaryDir m_programDir;
    QStringList m_boxes;

    // The user's print of the member sheet: its "Stampa" button, the print window's button, then
    // OK in the print dialog. Returns the printer chosen there, empty when a step did not happen.
    QString printFromTheSheet(TfrmTiratori &sheet)
    {
        m_boxes.clear();
        QString printer;
        auto accepted = acceptPrintDialog(&printer);
        auto pressed = Modal::whenShown<TfrmStampaTiratori>(
            [](TfrmStampaTiratori *w) { w->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        QTest::mouseClick(sheet.findChild<QWidget *>(QStringLiteral("cmdStampa")), Qt::LeftButton);
        return *pressed && *accepted ? printer : QString();
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        m_pdfDir = pdfFolder();
        QVERIFY2(!m_pdfDir.isEmpty(),
                 "the printing test runs under ctest, with the CUPS fixture (reports_cups_start)");
        QCOMPARE(QPrinterInfo::defaultPrinterName(), kQueue);
        QVERIFY(m_programDir.isValid());
        setProgramFolder(m_programDir.path());
        MsgBox::setTestHook([this](MsgBox::Kind, const QString &text) {
            m_boxes.append(text);
            return MsgBox::Answer::Ok;
        });
    }

    void cleanupTestCase() { MsgBox::setTestHook(nullptr); }

    // A queue that refuses jobs (cupsreject): the print ends with the window's failure message,
    // and nothing reaches the queue. The member sheet stands for every print window: they all
    // print through the same path.
    void refusedJobIsReportedAsNotPrinted()
    {
        QCOMPARE(QProcess::execute(QStringLiteral("cupsreject"), {kQueue}), 0);
        TfrmTiratori sheet;
        sheet.show();
        sheet.field(QStringLiteral("txtTiratore"))->setText(QStringLiteral("VERDI GIUSEPPE"));
        const QStringList before = pdfFiles(m_pdfDir);
        const QString printer = printFromTheSheet(sheet);
        QCOMPARE(QProcess::execute(QStringLiteral("cupsaccept"), {kQueue}), 0);
        QCOMPARE(printer, kQueue);
        QCOMPARE(m_boxes, QStringList{QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
                                                     "Si consiglia di ridurre le dimensioni della foto.")});
        QTest::qWait(1500);
        QCOMPARE(pdfFiles(m_pdfDir), before);
    }

    void listPrintsOnTheDefaultPrinter()
    {
        QStringList lines;
        for (int i = 1; i <= 120; ++i)
            lines.append(QStringLiteral("ROSSI MARIO %1").arg(i, 3, 10, QLatin1Char('0')).leftJustified(30) +
                         QStringLiteral("  Tel. 06 5551234       Cel. 347 5551234       Tessera n. A-%1")
                             .arg(i, 3, 10, QLatin1Char('0')) +
                         QStringLiteral("                 Scad. 31/12/2023  Quota: € 30,00"));
        const QStringList before = pdfFiles(m_pdfDir);
        QString printer;
        auto accepted = acceptPrintDialog(&printer);
        QString error;
        QVERIFY2(ListReportPage::print(nullptr, QStringLiteral("Riepilogo tessere scadute"), lines, &error),
                 qPrintable(error));
        QVERIFY2(*accepted, "the print dialog did not show");
        QCOMPARE(printer, kQueue);

        const QString pdf = waitForNewPdf(m_pdfDir, before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QCOMPARE(PdfText::pageCount(pdf), 3);
        const QString text = flat(PdfText::text(pdf));
        QVERIFY2(text.contains(QStringLiteral("Riepilogo tessere scadute")), qPrintable(text.left(400)));
        QVERIFY(text.contains(flat(lines.first())));
        QVERIFY(text.contains(flat(lines.last())));
        QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data ") +
                              Formats::formatDate(QDate::currentDate())) ||
                text.contains(QStringLiteral("Stampa eseguita in data ") +
                              Formats::formatDate(QDate::currentDate().addDays(-1))));
        QVERIFY(!text.contains(QStringLiteral("[DATE]")));
    }

    void memberSheetPrintsOnTheDefaultPrinter()
    {
        TfrmTiratori sheet;
        sheet.show();
        sheet.field(QStringLiteral("txtTiratore"))->setText(QStringLiteral("VERDI GIUSEPPE"));
        sheet.field(QStringLiteral("txtCodFisc"))->setText(QStringLiteral("VRDGPP80A01H501U"));
        sheet.field(QStringLiteral("txtEnte"))->setText(QStringLiteral("TIRO A VOLO"));
        sheet.field(QStringLiteral("txtNote"))->setText(QStringLiteral("Nota [non salvata]"));
        QImage photo(300, 400, QImage::Format_RGB32);
        photo.fill(QColor(30, 90, 160));
        MemberFixtures::loadPhoto(&sheet, photo, m_programDir.path());

        const QStringList before = pdfFiles(m_pdfDir);
        QCOMPARE(printFromTheSheet(sheet), kQueue);
        QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join(QLatin1Char('|'))));

        const QString pdf = waitForNewPdf(m_pdfDir, before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString text = flat(PdfText::text(pdf));
        QStringList expected = {QStringLiteral("CODICE FISCALE"), QStringLiteral("ATTIVITA' SPORTIVA"),
                                QStringLiteral("QUOTA: €")};
        for (const char *name : {"txtTiratore", "txtCodFisc", "txtEnte", "txtNote", "txtQuota"})
            expected.append(sheet.field(QLatin1String(name))->text());
        QVERIFY(expected.contains(QStringLiteral("Nota [non salvata]")));
        for (const QString &e : expected)
            QVERIFY2(text.contains(e), qPrintable(e + QStringLiteral(" not in: ") + text));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
