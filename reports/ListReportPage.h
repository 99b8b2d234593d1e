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
// next page when it does not fit), footer "Stampa eseguita in data [DATE]".
namespace ListReportPage {

// Prints the lines with the given title, without preview. Returns false, with the reason in
// *error, when the report cannot be prepared or printed (a cancelled print dialog is not an error).
bool print(QWidget *parent, const QString &title, const QStringList &lines, QString *error = nullptr);

// The laid-out pages that print() sends to the printer, with `now` as the date of printing.
bool prepare(const QString &title, const QStringList &lines, Reports::PreparedReport *out,
             QString *error = nullptr, const QDateTime &now = QDateTime::currentDateTime());

} // namespace ListReportPage
