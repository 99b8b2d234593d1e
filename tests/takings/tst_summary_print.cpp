// The takings summary printed from its window through the real print dialog onto the private CUPS
// queue, and read back from the PDF the queue writes: the lines, the interval, the total and the
// footer with the date and time of printing. Runs under ctest with the CUPS fixture.
#include "SummaryFixtures.h"
#include "TestSupport.h"

#include "../reports/PrintQueue.h"
#include "common/Formats.h"
#include "common/ProgramFolder.h"
#include "records/YearFile.h"
#include "takings/TfrmRiepCosti.h"

#include <QDateTime>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace PrintQueue;
using SummaryFixtures::receipt;

class TestSummaryPrint : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_pdfDir;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        m_pdfDir = qEnvironmentVariable("CORVALLA_PDF_DIR");
        QVERIFY2(!m_pdfDir.isEmpty() && QDir(m_pdfDir).exists(),
                 "the printing test runs under ctest, with the CUPS fixture (reports_cups_start)");
        QCOMPARE(QPrinterInfo::defaultPrinterName(), kQueue);
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }

    void summaryPrintsOnTheDefaultPrinter()
    {
        const QString path = YearFile::pathFor(QStringLiteral("2024"));
        SummaryFixtures::storeReceipts(path, {receipt("1", "01/03/2024", "Mario Rossi", "Nuoto", "10,50"),
                                              receipt("2", "15/03/2024", "Bianchi Anna", "Tennis", "20,25"),
                                              receipt("3", "20/04/2024", "Verdi Carlo", "Nuoto", "99"),
                                              receipt("4", "31/03/2024", "Neri Ugo", "Nuoto libero", "5")});
        TfrmRiepCosti window;
        window.setRequest({path, {QString(), QString(), QDate(2024, 3, 1), QDate(2024, 3, 31)}, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        BoxRecorder boxes; // answers Yes to the question
        const QStringList before = pdfFiles(m_pdfDir);
        QString printer;
        auto accepted = acceptPrintDialog(&printer);
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
        const QDateTime end = QDateTime::currentDateTime().addSecs(1);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Si vuole stampare il presente riepilogo?")});
        QVERIFY2(*accepted, "the print dialog did not show");
        QCOMPARE(printer, kQueue);

        const QString pdf = waitForNewPdf(m_pdfDir, before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString text = PdfText::text(pdf).simplified();
        const QStringList expected = {
            QStringLiteral("Riepilogo incassi"),
            QString::fromUtf8(
                "Ric. n. 1 Data: 01/03/2024 Mario Rossi Sport: Nuoto Dal 01/03/2024 Al 31/03/2024 "
                "Tot. € 10,50"),
            QString::fromUtf8("Ric. n. 2 Data: 15/03/2024 Bianchi Anna Sport: Tennis Dal 01/03/2024 Al "
                              "31/03/2024 Tot. € 20,25"),
            QString::fromUtf8("Ric. n. 4 Data: 31/03/2024 Neri Ugo Sport: Nuoto libero Dal 01/03/2024 Al "
                              "31/03/2024 Tot. € 5"),
            QStringLiteral("- - - - - - - - - - - - - - - -"),
            QStringLiteral("INTERVALLO SELEZIONATO: Dal 01/03/2024 al 31/03/2024"),
            QString::fromUtf8("TOTALE IMPORTI INCASSATI: € 35,75"),
        };
        for (const QString &e : expected)
            QVERIFY2(text.contains(e), qPrintable(e + QStringLiteral(" not in: ") + text));
        QVERIFY(!text.contains(QStringLiteral("Verdi Carlo")));

        const QRegularExpressionMatch footer =
            QRegularExpression(
                QStringLiteral(
                    "Stampa eseguita in data (\\d\\d/\\d\\d/\\d{4}) alle ore (\\d\\d:\\d\\d:\\d\\d)"))
                .match(text);
        QVERIFY2(footer.hasMatch(), qPrintable(text));
        const QDateTime printedAt(Formats::parseDateText(footer.captured(1)),
                                  QTime::fromString(footer.captured(2), QStringLiteral("HH:mm:ss")));
        QVERIFY2(printedAt >= start && printedAt <= end, qPrintable(footer.captured(0)));
    }
};

QTEST_MAIN(TestSummaryPrint)
#include "tst_summary_print.moc"
