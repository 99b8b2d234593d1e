#include "common/Formats.h"

#include "common/TextUtil.h"

#include <QLocale>
#include <QRegularExpression>

namespace Formats {

void applyProcessFormats()
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);
}

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

namespace {

// dd/mm/yyyy (day and month of one or two digits) over characters of any width, blanks (code 32
// or below) around it allowed. Only the digits 0-9 count: a date written in other digits is no
// date.
template <class Char> QDate parseDate(const Char *text, qsizetype size)
{
    qsizetype at = 0;
    while (size > 0 && unsigned(text[size - 1]) <= 32)
        --size;
    while (at < size && unsigned(text[at]) <= 32)
        ++at;
    auto number = [&](int least, int most, int &value) {
        const qsizetype from = at;
        value = 0;
        while (at < size && at - from < most && text[at] >= Char('0') && text[at] <= Char('9'))
            value = value * 10 + int(text[at++] - Char('0'));
        return at - from >= least;
    };
    auto slash = [&] { return at < size && text[at++] == Char('/'); };
    int day = 0, month = 0, year = 0;
    if (!number(1, 2, day) || !slash() || !number(1, 2, month) || !slash() || !number(4, 4, year) ||
        at != size)
        return QDate();
    return QDate(year, month, day);
}

} // namespace

QDate parseDateText(const QString &text)
{
    return parseDate(reinterpret_cast<const char16_t *>(text.constData()), text.size());
}

QDate parseDateBytes(const char *text, int size)
{
    return parseDate(reinterpret_cast<const unsigned char *>(text), size);
}

namespace {

// Adds one unit to a string of decimal digits.
QString incrementDigits(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return QLatin1Char('1') + digits;
}

} // namespace

QString normaliseAmount(const QString &text)
{
    const QString t = trimBlanks(text);
    static const QRegularExpression re(QStringLiteral("^([+-]?)(\\d*)(?:,(\\d*))?$"));
    const QRegularExpressionMatch m = re.match(t);
    const QString intPart = m.captured(2);
    const QString fracPart = m.captured(3);
    if (t.isEmpty() || !m.hasMatch() || (intPart.isEmpty() && fracPart.isEmpty()))
        return QStringLiteral("0,00");
    const bool negative = m.captured(1) == QLatin1String("-");

    // value * 100 as digits, and the digit just after the cents decides the rounding.
    QString hundredths =
        (intPart.isEmpty() ? QStringLiteral("0") : intPart) + (fracPart + QStringLiteral("00")).left(2);
    const int third = fracPart.size() > 2 ? fracPart[2].digitValue() : 0;
    // Half up on the magnitude. (Applying "+0.5 then truncate" to a negative value would turn
    // "-5" into "-4,99"; a pasted negative fee keeps its sign and rounds like a positive one.)
    const bool roundUp = third >= 5;
    if (roundUp)
        hundredths = incrementDigits(hundredths);

    // Drop leading zeros, keep at least three digits so that "0,0x" prints.
    while (hundredths.size() > 3 && hundredths.startsWith(QLatin1Char('0')))
        hundredths.remove(0, 1);
    while (hundredths.size() < 3)
        hundredths.prepend(QLatin1Char('0'));

    const QString whole = hundredths.left(hundredths.size() - 2);
    QString cents = hundredths.right(2);
    // Plain notation without trailing zeros after the comma, then padded back to two decimals.
    while (cents.endsWith(QLatin1Char('0')))
        cents.chop(1);
    QString result = whole;
    if (!cents.isEmpty())
        result += QLatin1Char(',') + cents;
    if (negative && result != QLatin1String("0"))
        result.prepend(QLatin1Char('-'));
    if (!result.contains(QLatin1Char(',')))
        result += QStringLiteral(",00");
    else if (result.indexOf(QLatin1Char(',')) == result.size() - 2)
        result += QLatin1Char('0');
    return result;
}

} // namespace Formats
