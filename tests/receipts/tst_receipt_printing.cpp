// A receipt printed on the real CUPS PDF queue and read back: both copies with their numbers,
// words, cents, headings and captions. Runs under the CTest fixture that starts the private
// scheduler (tests/reports/tests.cmake).
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "receipts/ReceiptLogo.h"
#include "receipts/ReceiptPage.h"
#include "reports/PrintQueue.h"
#include "reports/Report.h"

#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace PrintQueue;

class TestReceiptPrinting : public QObject
{
    Q_OBJECT

private:
    QString m_pdfDir;
    QTemporaryDir m_programDir;

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
    }

    void receiptPrintsInTwoCopies()
    {
        Receipt::Record receipt;
        receipt[Receipt::NumRic] = QStringLiteral("1507");
        receipt[Receipt::Data] = QStringLiteral("05/03/2024");
        receipt[Receipt::Importo] = QStringLiteral("1250");
        receipt[Receipt::Cents] = QStringLiteral("75");
        receipt[Receipt::ImpLettere] = QStringLiteral("MILLEDUECENTOCINQUANTA");
        receipt[Receipt::CentLettere] = QStringLiteral("75");
        receipt[Receipt::Ricevente01] = QStringLiteral("A.S.D. Tiro a Segno Corvalla");
        receipt[Receipt::Ricevente02] = QStringLiteral("Via dello Sport, 12");
        receipt[Receipt::Ricevente03] = QStringLiteral("47121 Forlì (FC)");
        receipt[Receipt::Ricevente04] = QStringLiteral("C.F. 92012345678");
        receipt[Receipt::Pagatore] = QStringLiteral("Rossi Mario");
        receipt[Receipt::CodFisc] = QStringLiteral("RSSMRA80A01H501U");
        receipt[Receipt::Sport] = QStringLiteral("Tiro con l'arco");
        receipt[Receipt::Dal] = QStringLiteral("01/03/2024");
        receipt[Receipt::Al] = QStringLiteral("31/03/2024");
        receipt[Receipt::Praticante] = QStringLiteral("Rossi Luca");

        Reports::PreparedReport prepared;
        QString error;
        QVERIFY2(ReceiptPage::prepare(receipt, ReceiptLogo::load(), &prepared, &error), qPrintable(error));
        const QStringList before = pdfFiles(m_pdfDir);
        QString printer;
        auto accepted = acceptPrintDialog(&printer);
        QVERIFY2(Reports::print(prepared, nullptr, &error), qPrintable(error));
        QVERIFY2(*accepted, "the print dialog did not show");
        QCOMPARE(printer, kQueue);

        const QString pdf = waitForNewPdf(m_pdfDir, before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString text = PdfText::text(pdf).simplified();
        const QString upper = text.section(QStringLiteral("COPIA PER IL PAGATORE"), 0, 0);
        const QString lower = text.section(QStringLiteral("COPIA PER IL PAGATORE"), 1);
        QVERIFY2(!lower.isEmpty(), qPrintable(text));
        QVERIFY2(lower.contains(QStringLiteral("COPIA PER IL RICEVENTE")), qPrintable(text));
        QVERIFY(upper.contains(QStringLiteral("BOLLO VIGENTE")));
        QVERIFY(lower.contains(QStringLiteral("BOLLO APPOSTO SULL'ORIGINALE")));
        for (const QString &copy : {upper, lower}) {
            for (const char *expected : {"Ricevuta n. 1507",
                                         "Data: 05/03/2024",
                                         "MILLEDUECENTOCINQUANTA/75",
                                         "1250",
                                         "75",
                                         "A.S.D. Tiro a Segno Corvalla",
                                         "Via dello Sport, 12",
                                         "47121 Forlì (FC)",
                                         "C.F. 92012345678",
                                         "Riceviamo da",
                                         "Rossi Mario",
                                         "RSSMRA80A01H501U",
                                         "Tiro con l'arco",
                                         "01/03/2024",
                                         "31/03/2024",
                                         "Rossi Luca",
                                         "TOTALE :",
                                         "(IN LETTERE)",
                                         "(IN CIFRE)",
                                         "(FIRMA)"}) {
                QVERIFY2(copy.contains(QString::fromUtf8(expected)),
                         qPrintable(QString::fromUtf8(expected) + QStringLiteral(" not in: ") + copy));
            }
        }
    }
};

QTEST_MAIN(TestReceiptPrinting)
#include "tst_receipt_printing.moc"
