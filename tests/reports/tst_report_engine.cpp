#include "TestSupport.h"

#include "PdfText.h"
#include "reports/ListReportPage.h"
#include "reports/Report.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace Reports;

namespace {
const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 30, 0));
constexpr double kEps = 0.01;          // mm
constexpr double kPrintableTop = 10.0; // mm, landscape A4 with 10 mm margins
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
            if (qAbs(c.red() - colour.red()) < tolerance && qAbs(c.green() - colour.green()) < tolerance &&
                qAbs(c.blue() - colour.blue()) < tolerance)
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
        QVERIFY2(
            ListReportPage::prepare(QStringLiteral("Riepilogo schede iscritti"), input, &r, &error, kNow),
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
        ObjectDesign both =
            textObject(QStringLiteral("txtOra"), 0, 0, 100, 10, {}, kBlack, kNoColour, Qt::AlignLeft);
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

    void namedColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("colour");
        QTest::newRow("AliceBlue") << "AliceBlue" << uint(Colour::AliceBlue);
        QTest::newRow("snow, any case") << "snow" << uint(0xFFFFFAFA);
        QTest::newRow("navy") << "Navy" << uint(0xFF000080);
        QTest::newRow("beige") << "beige" << uint(Colour::Beige);
        QTest::newRow("brown") << "brown" << uint(Colour::Brown);
        QTest::newRow("hex") << "#F0F8FF" << uint(Colour::AliceBlue);
        QTest::newRow("none") << "none" << uint(kNoColour);
        QTest::newRow("unknown") << "Azzurrino" << uint(kNoColour);
        QTest::newRow("empty") << "" << uint(kNoColour);
    }
    void namedColours()
    {
        QFETCH(QString, name);
        QFETCH(uint, colour);
        QCOMPARE(uint(namedColour(name)), colour);
    }

    // The lower copy of a two-copy page: the group moved down with "_B" names, some objects left
    // out for the caller to place itself; the originals stay as they were.
    void copyGroupMovesAndRenames()
    {
        const std::vector<ObjectDesign> upper = {
            rectangleObject(QStringLiteral("shpNumero"), 144, 14, 52, 9, Colour::AliceBlue, kBlack),
            textObject(QStringLiteral("txtNumero"), 146, 16, 49, 5, {"Arial", 12, true}, kBlack, kNoColour,
                       Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ricevuta n. ")),
            lineObject(QStringLiteral("lineTaglio"), 10, 140, 190, 0, kBlack),
        };
        const std::vector<ObjectDesign> lower = copyGroup(upper, 155, QStringLiteral("_B"), {"lineTaglio"});
        QCOMPARE(int(lower.size()), 2);
        QCOMPARE(lower[0].name, QStringLiteral("shpNumero_B"));
        QCOMPARE(lower[0].top, 169.0);
        QCOMPARE(lower[0].left, 144.0);
        QCOMPARE(lower[0].fill, Colour::AliceBlue);
        QCOMPARE(lower[1].name, QStringLiteral("txtNumero_B"));
        QCOMPARE(lower[1].top, 171.0);
        QCOMPARE(lower[1].text, QStringLiteral("Ricevuta n. "));
        QVERIFY(lower[1].font.bold);
        QCOMPARE(upper[0].name, QStringLiteral("shpNumero"));
        QCOMPARE(upper[0].top, 14.0);

        PageDesign page;
        page.objects = upper;
        page.objects.insert(page.objects.end(), lower.begin(), lower.end());
        Report report(page);
        QVERIFY(report.setText(QStringLiteral("txtNumero_B"), QStringLiteral("Ricevuta n. 7")));
        PreparedReport r;
        QVERIFY(report.prepare(&r));
        QCOMPARE(r.find(0, QStringLiteral("txtNumero_B"))->lines[0].text, QStringLiteral("Ricevuta n. 7"));
        QCOMPARE(r.find(0, QStringLiteral("txtNumero"))->lines[0].text, QStringLiteral("Ricevuta n. "));
    }

    // Orientation and margins set just before printing move the objects from the paper's corner;
    // a negative margin moves them up or to the left. Italic and colours reach the page.
    void orientationAndMarginsAtPrintTime_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("portrait, no margins") << false << 0.0 << 0.0;
        QTest::newRow("portrait, margins") << false << 5.0 << 12.0;
        QTest::newRow("landscape, negative margins") << true << -4.0 << -2.0;
    }
    void orientationAndMarginsAtPrintTime()
    {
        QFETCH(bool, landscape);
        QFETCH(double, left);
        QFETCH(double, top);
        PageDesign design; // A4 portrait, no margins
        design.objects.push_back(
            rectangleObject(QStringLiteral("shpSfondo"), 10, 10, 86, 54, Colour::White, kBlack));
        design.objects.push_back(
            rectangleObject(QStringLiteral("shpHeader"), 11, 11, 83.8, 12, Colour::Navy, Colour::Navy));
        ObjectDesign name = textObject(QStringLiteral("txtNome"), 40, 30, 55, 6, {"Arial", 12, true, true},
                                       Colour::Brown, kNoColour, Qt::AlignLeft | Qt::AlignVCenter);
        design.objects.push_back(name);
        Report report(design);
        report.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        report.setMargins(QMarginsF(left, top, 0, 0));
        QVERIFY(report.setText(QStringLiteral("txtNome"), QStringLiteral("Corsivo")));
        PreparedReport r;
        QString error;
        QVERIFY2(report.prepare(&r, &error), qPrintable(error));
        QCOMPARE(r.pageSizeMm(), landscape ? QSizeF(297, 210) : QSizeF(210, 297));
        const PlacedObject *frame = r.find(0, QStringLiteral("shpSfondo"));
        QVERIFY(qAbs(frame->box.left() - (10 + left)) < kEps);
        QVERIFY(qAbs(frame->box.top() - (10 + top)) < kEps);
        QVERIFY(r.find(0, QStringLiteral("txtNome"))->design.font.italic);

        const double dpi = 100;
        const QImage image = renderPage(r, 0, dpi);
        auto px = [dpi](double mm) { return qRound(mm / 25.4 * dpi); };
        QCOMPARE(image.pixelColor(px(30 + left), px(16 + top)), QColor(0, 0, 128));
        QCOMPARE(image.pixelColor(px(30 + left), px(40 + top)), QColor(Qt::white));

        // On a printer that reserves a border of its own, the card still lands where the design
        // says, measured from the paper's corner.
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("carta.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(r.orientation);
        printer.setPageMargins(QMarginsF(20, 25, 20, 25), QPageLayout::Millimeter);
        QVERIFY2(printOn(r, &printer, &error), qPrintable(error));
        bool ok = false;
        const QList<PdfText::Word> words = PdfText::words(printer.outputFileName(), &ok);
        QVERIFY(ok);
        QCOMPARE(words.size(), 1);
        QCOMPARE(words[0].text, QStringLiteral("Corsivo"));
        QVERIFY2(words[0].box.left() > 39.5 + left && words[0].box.left() < 42 + left,
                 qPrintable(QString::number(words[0].box.left())));
        QVERIFY2(words[0].box.top() > 29 + top && words[0].box.bottom() < 37 + top,
                 qPrintable(QString::number(words[0].box.top())));
    }

    // A list page takes its own report name, title and footer text.
    void listPageTexts()
    {
        ListReportPage::Page page;
        page.title = QStringLiteral("Riepilogo incassi [dal]");
        page.footer = QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]");
        page.reportName = QStringLiteral("Riepilogo incassi");
        PreparedReport r;
        QString error;
        QVERIFY2(ListReportPage::prepare(page, {QStringLiteral("riga")}, &r, &error, kNow),
                 qPrintable(error));
        QCOMPARE(r.documentName, QStringLiteral("Riepilogo incassi"));
        QCOMPARE(r.find(0, QStringLiteral("txtTitolo"))->lines[0].text, page.title);
        QCOMPARE(r.find(0, QStringLiteral("txtPagina"))->lines[0].text,
                 QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 14:30:00"));
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
