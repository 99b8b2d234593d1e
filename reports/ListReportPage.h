#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;
namespace Reports {
struct PreparedReport;
}

// The A4 landscape list page on which the list windows print their lines: title band with
// txtTitolo, data band MasterData with txtRiepilogo (one text line per list line, continuing on the
// next page when it does not fit), footer txtPagina ("Stampa eseguita in data [DATE]" unless the
// list says otherwise; [DATE] and [TIME] become the moment of printing).
namespace ListReportPage {

// What a list puts on the page besides its lines.
struct Page
{
    QString title;
    QString footer = QStringLiteral("Stampa eseguita in data [DATE]");
    QString reportName; // the print job's name; the title when empty
};

// Prints the lines with the given title, without preview. Returns false, with the reason in
// *error, when the report cannot be prepared or printed (a cancelled print dialog is not an error).
bool print(QWidget *parent, const QString &title, const QStringList &lines, QString *error = nullptr);
bool print(QWidget *parent, const Page &page, const QStringList &lines, QString *error = nullptr);

// The laid-out pages that print() sends to the printer, with `now` as the date of printing.
bool prepare(const QString &title, const QStringList &lines, Reports::PreparedReport *out,
             QString *error = nullptr, const QDateTime &now = QDateTime::currentDateTime());
bool prepare(const Page &page, const QStringList &lines, Reports::PreparedReport *out,
             QString *error = nullptr, const QDateTime &now = QDateTime::currentDateTime());

} // namespace ListReportPage
