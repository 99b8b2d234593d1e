#include "reports/ListReportPage.h"

#include "reports/Report.h"

namespace ListReportPage {

namespace {
using namespace Reports;

constexpr QRgb kSlateGrey = 0xFF708090;
// Height of one list line in report units; the data text and its band are sized from it.
constexpr double kLineUnits = 12.822;
constexpr double kBandExtraUnits = 10.0;

const PageDesign &design()
{
    static const PageDesign page = [] {
        PageDesign d;
        d.name = QStringLiteral("Riepilogo");
        d.pageSize = QPageSize::A4;
        d.orientation = QPageLayout::Landscape;
        d.margins = QMarginsF(10, 10, 10, 10);

        BandDesign title{QStringLiteral("ReportTitle"), BandKind::Title, 8, {}};
        title.objects.push_back(textObject(QStringLiteral("txtTitolo"), 2, 1, 273, 5, {"Verdana", 9, true},
                                           kWhite, kSlateGrey, Qt::AlignHCenter | Qt::AlignVCenter,
                                           QStringLiteral("Riepilogo")));

        BandDesign data{QStringLiteral("MasterData"), BandKind::Data, 0, {}};
        ObjectDesign lines =
            textObject(QStringLiteral("txtRiepilogo"), 3, 0, 273, 0, {"Courier New", 8, false}, kBlack,
                       kNoColour, Qt::AlignLeft | Qt::AlignTop);
        lines.linePitch = kLineUnits;
        data.objects.push_back(lines);

        BandDesign footer{QStringLiteral("PageFooter"), BandKind::Footer, 8, {}};
        ObjectDesign stamp =
            textObject(QStringLiteral("txtPagina"), 3, 2, 272, 5, {"Verdana", 8, true}, kWhite, kSlateGrey,
                       Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Stampa eseguita in data [DATE]"));
        stamp.stampsDateTime = true;
        footer.objects.push_back(stamp);

        d.bands = {title, data, footer};
        return d;
    }();
    return page;
}
} // namespace

bool prepare(const QString &title, const QStringList &lines, Reports::PreparedReport *out, QString *error,
             const QDateTime &now)
{
    Page page;
    page.title = title;
    return prepare(page, lines, out, error, now);
}

bool prepare(const Page &page, const QStringList &lines, Reports::PreparedReport *out, QString *error,
             const QDateTime &now)
{
    Report report(design());
    report.setDocumentName(page.reportName.isEmpty() ? page.title : page.reportName);
    const double height = double(lines.size()) * kLineUnits;
    return report.setText(QStringLiteral("txtTitolo"), page.title, error) &&
           report.setText(QStringLiteral("txtPagina"), page.footer, error) &&
           report.setLines(QStringLiteral("txtRiepilogo"), lines, error) &&
           report.setObjectHeight(QStringLiteral("txtRiepilogo"), height, error) &&
           report.setBandHeight(QStringLiteral("MasterData"), height + kBandExtraUnits, error) &&
           report.prepare(out, error, now);
}

} // namespace ListReportPage
