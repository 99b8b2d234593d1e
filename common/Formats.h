#pragma once

#include <QDate>
#include <QString>

// The process-wide formats: dates as dd/mm/yyyy, amounts with a decimal comma.
namespace Formats {

// Sets the Italian locale as the process default (decimal comma, Italian month names).
void applyProcessFormats();

// "05/03/2024".
QString formatDate(const QDate &date);

// Reads a date text in the dd/mm/yyyy form (one- or two-digit day and month are accepted);
// an invalid QDate for anything else, blanks around it excepted.
QDate parseDateText(const QString &text);
// The same over Windows-1252 bytes (a stored field), without decoding them.
QDate parseDateBytes(const char *text, int size);

// The fee normalisation of the member sheet: empty or unreadable text gives "0,00"; otherwise
// the value is kept to two decimals, half up, in exact decimal arithmetic ("7,125" -> "7,13",
// "1,005" -> "1,01", "25" -> "25,00", ",5" -> "0,50").
QString normaliseAmount(const QString &text);

} // namespace Formats
