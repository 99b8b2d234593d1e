// The list page's printing, apart from its design so that the design needs no printer support.
#include "reports/ListReportPage.h"

#include "reports/Report.h"

namespace ListReportPage {

using Reports::PreparedReport;

bool print(QWidget *parent, const QString &title, const QStringList &lines, QString *error)
{
    Page page;
    page.title = title;
    return print(parent, page, lines, error);
}

bool print(QWidget *parent, const Page &page, const QStringList &lines, QString *error)
{
    PreparedReport prepared;
    if (!prepare(page, lines, &prepared, error, QDateTime::currentDateTime()))
        return false;
    return Reports::print(prepared, parent, error);
}

} // namespace ListReportPage
