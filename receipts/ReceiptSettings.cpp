#include "receipts/ReceiptSettings.h"

#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "common/TextUtil.h"

#include <QRegularExpression>

namespace ReceiptSettings {

namespace {

const QString kHeadingSection = QStringLiteral("Ricevente");
const QString kNumberingSection = QStringLiteral("Numerazione Ricevute");
const QString kStartKey = QStringLiteral("Inizio");

// Digits enough for any start number, few enough that the sum cannot overflow.
constexpr int kMaxDigits = 15;

QString headingKey(int line)
{
    return QStringLiteral("Rigo %1").arg(line + 1);
}

} // namespace

QString filePath()
{
    return programFolder() + QStringLiteral("Ricevute_Generiche.ini");
}

HeadingLines headingLines()
{
    const Ini::Snapshot file(filePath());
    HeadingLines lines;
    for (int i = 0; i < kHeadingLineCount; ++i)
        lines[size_t(i)] = file.read(kHeadingSection, headingKey(i));
    return lines;
}

bool writeHeadingLines(const HeadingLines &lines, QString *error)
{
    // The four lines are one unit: all of them reach the file, or none.
    QList<Ini::Entry> entries;
    for (int i = 0; i < kHeadingLineCount; ++i)
        entries.append({kHeadingSection, headingKey(i), trimBlanks(lines[size_t(i)])});
    return Ini::write(filePath(), entries, error);
}

QString startNumber()
{
    return Ini::read(filePath(), kNumberingSection, kStartKey);
}

bool writeStartNumber(const QString &text, QString *error)
{
    return Ini::write(filePath(), kNumberingSection, kStartKey, trimBlanks(text), error);
}

std::optional<qint64> receiptNumber(const QString &startNumber, qint64 receiptsInYear)
{
    if (receiptsInYear < 0)
        return std::nullopt;
    const QString t = trimBlanks(startNumber);
    if (t.isEmpty())
        return 1 + receiptsInYear;
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]{1,%1}$").arg(kMaxDigits));
    if (!whole.match(t).hasMatch())
        return std::nullopt;
    return t.toLongLong() + receiptsInYear;
}

QString normaliseStartNumber(const QString &text)
{
    const QString t = trimBlanks(text);
    static const QRegularExpression number(
        QStringLiteral("^([+-]?)([0-9]{0,%1})(?:,([0-9]*))?$").arg(kMaxDigits));
    const QRegularExpressionMatch m = number.match(t);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return QStringLiteral("1");
    const bool negative = m.captured(1) == QLatin1String("-");
    const qint64 whole = m.captured(2).isEmpty() ? 0 : m.captured(2).toLongLong();
    // The fraction against one half: below, exactly or above.
    const QString fraction = m.captured(3);
    int half = fraction.isEmpty() || fraction[0] < QLatin1Char('5') ? -1 : 0;
    if (half == 0)
        for (qsizetype i = 1; i < fraction.size(); ++i)
            if (fraction[i] != QLatin1Char('0'))
                half = 1;
    // Nearest whole number, halves towards the larger one.
    qint64 value;
    if (!negative)
        value = half >= 0 ? whole + 1 : whole;
    else
        value = half > 0 ? -(whole + 1) : -whole;
    return QString::number(value);
}

} // namespace ReceiptSettings
