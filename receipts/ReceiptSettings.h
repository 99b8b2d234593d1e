#pragma once

#include <QString>
#include <array>
#include <optional>

// Ricevute_Generiche.ini in the program folder: the four heading lines of the association that
// issues the receipts and the start number of the automatic numbering. One file serves every year.
namespace ReceiptSettings {

constexpr int kHeadingLineCount = 4;
using HeadingLines = std::array<QString, kHeadingLineCount>;

QString filePath();

// Section "Ricevente", keys "Rigo 1" to "Rigo 4"; a missing file, section or key reads as empty.
HeadingLines headingLines();
// Writes the four lines, each trimmed. False, with the reason, when the file cannot be written.
bool writeHeadingLines(const HeadingLines &lines, QString *error = nullptr);

// Section "Numerazione Ricevute", key "Inizio", as stored (empty when missing).
QString startNumber();
// Writes the start number, trimmed.
bool writeStartNumber(const QString &text, QString *error = nullptr);

// The number a new receipt gets: the start number plus the receipts already in the year file.
// A blank start number means 1. A start number that is not a whole number (an optional sign and
// decimal digits) gives no number at all, so that a damaged settings file never numbers receipts
// from garbage.
std::optional<qint64> receiptNumber(const QString &startNumber, qint64 receiptsInYear);

// The start number as the numbering window leaves it: blank gives "1"; a number with a decimal
// comma becomes the nearest whole number, halves going up, written without leading zeros; a text
// that is not a number gives "1".
QString normaliseStartNumber(const QString &text);

} // namespace ReceiptSettings
