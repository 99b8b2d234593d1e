#include "TestSupport.h"

#include "PdfText.h"
#include "reports/ListReportPage.h"
#include "reports/Report.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Reports;

namespace {
const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 30, 0));
constexpr double kEps = 0.01;            // mm
constexpr double kPrintableTop = 10.0;   // mm, landscape A4 with 10 mm margins
constexpr double kPrintableBottom = 200.0;
const QColor kSlate(0x70, 0x80, 0x90);

QStringList listLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("Socio %1                 Tel. 06 1234567       Cel. 333 1234567"
                                    "      Tessera n. T-%1                Scad. 31/12/2024  Quota: € 25,00")
                         .arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

// Whether the image (at `dpi`) holds a pixel near `colour` between two heights in mm. Text is
// anti-aliased, so black is taken loosely.
bool hasColour(const QImage &image, double dpi, double fromMm, double toMm, const QColor &colour)
{
    const int tolerance = colour == QColor(Qt::black) ? 110 : 12;
    const int y0 = qMax(0, qRound(fromMm / 25.4 * dpi));
    const int y1 = qMin(image.height(), qRound(toMm / 25.4 * dpi));
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < tolerance && qAbs(c.green() - colour.green()) < tolerance
                && qAbs(c.blue() - colour.blue()) < tolerance)
                return true;
        }
    }
    return false;
}
} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    // The data band continues on the next page between two lines, every line prints once and in
    // order, the title only opens the report and the footer follows the last line once.
    void listBandSplitsBetweenLines_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("firstPageLines");
        QTest::newRow("empty list") << 0 << 1 << 0;
        QTest::newRow("one line") << 1 << 1 << 1;
        QTest::newRow("title, lines and footer fill one page") << 50 << 1 << 50;
        QTest::newRow("lines fill the first page, footer on the next") << 53 << 2 << 53;
        QTest::newRow("one line over") << 54 << 2 << 53;
        QTest::newRow("200 lines") << 200 << 4 << 53;
    }
    void listBandSplitsBetweenLines()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        QFETCH(int, firstPageLines);
        const QStringList input = listLines(lines);
        PreparedReport r;
        QString error;
        QVERIFY2(ListReportPage::prepare(QStringLiteral("Riepilogo schede iscritti"), input, &r, &error, kNow),
                 qPrintable(error));
        QCOMPARE(r.pages.size(), pages);
        QCOMPARE(r.orientation, QPageLayout::Landscape);

        QStringList printed;
        double lastLineBottom = kPrintableTop;
        for (int p = 0; p < r.pages.size(); ++p) {
            const PlacedObject *data = r.find(p, QStringLiteral("txtRiepilogo"));
            const PlacedObject *title = r.find(p, QStringLiteral("txtTitolo"));
            QCOMPARE(title != nullptr, p == 0);
            if (!data)
                continue;
            if (p == 0)
                QCOMPARE(data->lines.size(), firstPageLines);
            for (int i = 0; i < data->lines.size(); ++i) {
                const PlacedLine &line = data->lines[i];
                printed.append(line.text);
                QVERIFY(line.box.top() >= kPrintableTop - kEps);
                QVERIFY2(line.box.bottom() <= kPrintableBottom + kEps, "a line runs past the page");
                QVERIFY(data->clip.contains(line.box.adjusted(0, kEps, 0, -kEps)));
                if (p > 0 && i == 0) // a continued band starts at the top of the page
                    QVERIFY(qAbs(line.box.top() - kPrintableTop) < kEps);
                lastLineBottom = line.box.bottom();
            }
        }
        QCOMPARE(printed, input);

        const int last = int(r.pages.size()) - 1;
        for (int p = 0; p < last; ++p)
            QVERIFY(!r.find(p, QStringLiteral("txtPagina")));
        const PlacedObject *footer = r.find(last, QStringLiteral("txtPagina"));
        QVERIFY(footer);
        QVERIFY(footer->box.bottom() <= kPrintableBottom + kEps);
        if (r.find(last, QStringLiteral("txtRiepilogo")) && lines > 0)
            QVERIFY(footer->box.top() >= lastLineBottom);
        QCOMPARE(footer->lines.size(), 1);
        QCOMPARE(footer->lines[0].text, QStringLiteral("Stampa eseguita in data 05/03/2024"));
    }

    // The same 200-line list as pixels: the slate-grey title only on the first page, text at the
    // top of a continued page, the grey footer only on the last page.
    void renderedListPages()
    {
        PreparedReport r;
        QVERIFY(ListReportPage::prepare(QStringLiteral("Riepilogo schede iscritti"), listLines(200), &r,
                                        nullptr, kNow));
        QCOMPARE(r.pages.size(), 4);
        const double dpi = 50;
        const QImage first = renderPage(r, 0, dpi);
        const QImage second = renderPage(r, 1, dpi);
        const QImage last = renderPage(r, 3, dpi);
        QCOMPARE(first.size(), QSize(qRound(297 / 25.4 * dpi), qRound(210 / 25.4 * dpi)));
        QVERIFY(hasColour(first, dpi, 10, 18, kSlate));
        QVERIFY(!hasColour(second, dpi, 0, 210, kSlate));
        QVERIFY(hasColour(second, dpi, 10, 14, Qt::black));
        QVERIFY(!hasColour(second, dpi, 0, 9.5, Qt::black));
        QVERIFY(!hasColour(second, dpi, 200.5, 210, Qt::black));
        QVERIFY(hasColour(last, dpi, 10, 200, kSlate));
    }

    // Texts print literally; only the footer's [DATE] (and [TIME]) become the moment of printing.
    void bracketsPrintLiterallyButTheFooterDateIsStamped()
    {
        const QString title = QStringLiteral("Elenco [DATE] [TIME] [Rossi]");
        const QStringList lines = {QStringLiteral("[DATE] Bianchi [Anna]")};
        PreparedReport r;
        QVERIFY(ListReportPage::prepare(title, lines, &r, nullptr, kNow));
        QCOMPARE(r.find(0, QStringLiteral("txtTitolo"))->lines[0].text, title);
        QCOMPARE(r.find(0, QStringLiteral("txtRiepilogo"))->lines[0].text, lines[0]);

        PageDesign design;
        design.margins = QMarginsF(10, 10, 10, 10);
        ObjectDesign both = textObject(QStringLiteral("txtOra"), 0, 0, 100, 10, {}, kBlack, kNoColour,
                                       Qt::AlignLeft);
        both.stampsDateTime = true;
        design.objects.push_back(both);
        Report report(design);
        QVERIFY(report.setText(QStringLiteral("txtOra"), QStringLiteral("[DATE] alle [TIME] [date]")));
        QVERIFY(report.prepare(&r, nullptr, kNow));
        QCOMPARE(r.find(0, QStringLiteral("txtOra"))->lines[0].text,
                 QStringLiteral("05/03/2024 alle 14:30:00 [date]"));

        // And so they read in the PDF.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("elenco.pdf"));
        QVERIFY(ListReportPage::prepare(title, lines, &r, nullptr, kNow));
        QString error;
        QVERIFY2(renderPdf(r, pdf, &error), qPrintable(error));
        bool ok = false;
        const QString text = PdfText::text(pdf, &ok);
        QVERIFY(ok);
        QVERIFY2(text.contains(title), qPrintable(text));
        QVERIFY(text.contains(lines[0]));
        QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 05/03/2024")));
    }

    // Failures come back as values with a reason.
    void failuresAreReported()
    {
        Report report(PageDesign{});
        QString error;
        QVERIFY(!report.setText(QStringLiteral("txtNessuno"), QStringLiteral("x"), &error));
        QVERIFY(error.contains(QStringLiteral("txtNessuno")));
        QVERIFY(!report.setBandHeight(QStringLiteral("MasterData"), 10, &error));

        PageDesign tight;
        tight.margins = QMarginsF(10, 150, 10, 150);
        PreparedReport r;
        QVERIFY(!Report(tight).prepare(&r, &error));
        QVERIFY(!error.isEmpty());

        PreparedReport list;
        QVERIFY(ListReportPage::prepare(QStringLiteral("x"), {}, &list));
        QVERIFY(!renderPdf(list, QStringLiteral("/nonexistent-folder/x.pdf"), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_report_engine.moc"
