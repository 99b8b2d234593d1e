#include "receipts/AmountInWords.h"

namespace {

constexpr qint64 kLargest = 99999999;

// clang-format off
const char *const kUnits[10] = {"", "UNO", "DUE", "TRE", "QUATTRO", "CINQUE", "SEI", "SETTE", "OTTO", "NOVE"};
const char *const kTeens[10] = {"DIECI", "UNDICI", "DODICI", "TREDICI", "QUATTORDICI", "QUINDICI", "SEDICI",
                                "DICIASSETTE", "DICIOTTO", "DICIANNOVE"};
// Tens from 20, whole, and joined with "uno" (the only place where a vowel is dropped).
const char *const kTens[10] = {"", "", "VENTI", "TRENTA", "QUARANTA", "CINQUANTA", "SESSANTA", "SETTANTA",
                               "OTTANTA", "NOVANTA"};
const char *const kTensAndOne[10] = {"", "", "VENTUNO", "TRENTUNO", "QUARANTUNO", "CINQUANTUNO", "SESSANTUNO",
                                     "SETTANTUNO", "OTTANTUNO", "NOVANTUNO"};
const char *const kHundreds[10] = {"", "CENTO", "DUECENTO", "TRECENTO", "QUATTROCENTO", "CINQUECENTO",
                                   "SEICENTO", "SETTECENTO", "OTTOCENTO", "NOVECENTO"};
// clang-format on

// Words of a group of three digits, 0 to 999 (0 gives nothing), appended to `out`.
void appendGroup(QString &out, int g)
{
    const int h = g / 100;
    const int t = g / 10 % 10;
    const int u = g % 10;
    out += QLatin1String(kHundreds[h]);
    if (t == 1) {
        out += QLatin1String(kTeens[u]);
    } else if (t >= 2 && u == 1) {
        out += QLatin1String(kTensAndOne[t]);
    } else {
        out += QLatin1String(kTens[t]);
        out += QLatin1String(kUnits[u]);
    }
}

} // namespace

QString amountInWords(qint64 euros)
{
    if (euros < 0 || euros > kLargest)
        return QString();
    if (euros == 0)
        return QStringLiteral("ZERO");
    const int millions = int(euros / 1000000);
    const int thousands = int(euros / 1000 % 1000);
    const int units = int(euros % 1000);
    QString words;
    words.reserve(96);
    if (millions == 1) {
        words += QLatin1String("UNMILIONE");
    } else if (millions > 1) {
        appendGroup(words, millions);
        words += QLatin1String("MILIONI");
    }
    if (thousands == 1) {
        words += QLatin1String("MILLE");
    } else if (thousands > 1) {
        appendGroup(words, thousands);
        words += QLatin1String("MILA");
    }
    appendGroup(words, units);
    return words;
}

QString amountInWords(QStringView euros)
{
    if (euros.isEmpty())
        return QString();
    qint64 value = 0;
    for (const QChar c : euros) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QString();
        value = value * 10 + (c.unicode() - u'0');
        if (value > kLargest)
            return QString();
    }
    return amountInWords(value);
}
