// A membership card printed from the card window through the real print dialog onto the CUPS
// PDF queue of the printing tests, the printed page rendered to an image to find the card on it.
#include "TestSupport.h"

#include "cards/CardSettings.h"
#include "cards/TfrmStampaTessera.h"
#include "cards/TfrmTessera.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "reports/PrintQueue.h"

#include <QImage>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTransform>
#include <QtTest>

using namespace PrintQueue;

namespace {

constexpr int kDpi = 300;
constexpr double kMmPerPixel = 25.4 / kDpi;

// The printed page as a grey image at kDpi (pdftoppm), or a null image.
QImage renderPdf(const QString &pdf, const QString &folder)
{
    const QString prefix = QDir(folder).filePath(QStringLiteral("page"));
    bool ok = false;
    PdfText::run(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                  QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix},
                 &ok);
    return ok ? QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8) : QImage();
}

bool dark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The card's outline: the first row holding a dark run longer than half the card's width, and
// the first column holding one longer than half its height (no other object of the card is that
// long), in mm from the page's top-left corner.
QPointF outlineCorner(const QImage &image)
{
    const int across = qRound(43.0 / kMmPerPixel);
    const int down = qRound(27.0 / kMmPerPixel);
    auto firstLine = [&](int lines, int length, int minRun, bool rows) {
        for (int a = 0; a < lines; ++a) {
            int run = 0;
            for (int b = 0; b < length; ++b) {
                run = (rows ? dark(image, b, a) : dark(image, a, b)) ? run + 1 : 0;
                if (run >= minRun)
                    return a;
            }
        }
        return -1;
    };
    const int top = firstLine(image.height(), image.width(), across, true);
    const int left = firstLine(image.width(), image.height(), down, false);
    return QPointF(left * kMmPerPixel, top * kMmPerPixel);
}

} // namespace

class TestPrintingCard : public QObject
{
    Q_OBJECT

    QString m_pdfDir;
    QTemporaryDir m_programDir;
    QStringList m_boxes;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        m_pdfDir = qEnvironmentVariable("CORVALLA_PDF_DIR");
        QVERIFY2(!m_pdfDir.isEmpty() && QDir(m_pdfDir).exists(),
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

    // The outline sits 10 mm plus the margins from the paper's top-left corner, whatever printable
    // area the printer reports.
    void outlineSitsAtTheMargins_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QPointF>("corner"); // mm
        QTest::newRow("portrait, no margins") << false << "0"
                                              << "0" << QPointF(10, 10);
        QTest::newRow("portrait, margins") << false << "5"
                                           << "12" << QPointF(22, 15);
        QTest::newRow("portrait, negative margins") << false << "-3"
                                                    << "-6" << QPointF(4, 7);
        QTest::newRow("landscape, no margins") << true << "0"
                                               << "0" << QPointF(10, 10);
        QTest::newRow("landscape, margins") << true << "8"
                                            << "-2" << QPointF(8, 18);
    }
    void outlineSitsAtTheMargins()
    {
        QFETCH(bool, landscape);
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(QPointF, corner);
        CardSettings settings;
        settings.association = {"ASD Tiro a Segno Corvalla", "Via Roma 1", "Tel. 06 5551234",
                                "Stagione 2024"};
        settings.topMargin = top;
        settings.leftMargin = left;
        settings.orientation =
            landscape ? CardSettings::Orientation::Landscape : CardSettings::Orientation::Portrait;
        QVERIFY(settings.saveAssociation() && settings.savePrintSettings());

        TfrmTessera card;
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        m_boxes.clear();
        const QStringList before = pdfFiles(m_pdfDir);
        QString printer;
        auto accepted = acceptPrintDialog(&printer);
        auto pressed = Modal::whenShown<TfrmStampaTessera>(
            [](TfrmStampaTessera *w) { w->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        card.findChild<QToolButton *>(QStringLiteral("cmdStampa"))->click();
        QVERIFY(*pressed);
        QVERIFY2(*accepted, "the print dialog did not show");
        QCOMPARE(printer, kQueue);
        QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join(QLatin1Char('|'))));

        const QString pdf = waitForNewPdf(m_pdfDir, before);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString text = PdfText::text(pdf).simplified();
        for (const char *expected : {"ASD Tiro a Segno Corvalla", "Stagione 2024", "Cognome e nome Iscritto",
                                     "Data rilascio:", "GG/MM/AAAA"})
            QVERIFY2(text.contains(QLatin1String(expected)), qPrintable(text));

        QTemporaryDir images;
        QImage page = renderPdf(pdf, images.path());
        QVERIFY(!page.isNull());
        // The queue puts a landscape page on portrait paper turned a quarter to the left: turned
        // back, the sheet reads as the user holds it.
        if (landscape && page.width() < page.height())
            page = page.transformed(QTransform().rotate(90));
        const QSizeF paper(page.width() * kMmPerPixel, page.height() * kMmPerPixel);
        const QSizeF a4 = landscape ? QSizeF(297, 210) : QSizeF(210, 297);
        QVERIFY2(qAbs(paper.width() - a4.width()) < 2 && qAbs(paper.height() - a4.height()) < 2,
                 qPrintable(QStringLiteral("paper %1 x %2 mm").arg(paper.width()).arg(paper.height())));
        // The outline's outer edge: half its 0.2 mm line lies outside the box.
        const QPointF found = outlineCorner(page);
        const QPointF expected = corner - QPointF(0.1, 0.1);
        QVERIFY2(qAbs(found.x() - expected.x()) < 0.3 && qAbs(found.y() - expected.y()) < 0.3,
                 qPrintable(QStringLiteral("outline at %1, %2 mm").arg(found.x()).arg(found.y())));
    }
};

QTEST_MAIN(TestPrintingCard)
#include "tst_printing_card.moc"
