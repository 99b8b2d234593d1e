#include "takings/Summary.h"

#include "common/Formats.h"
#include "common/TextUtil.h"
#include "records/ReceiptRecord.h"
#include "records/YearFile.h"

#include <array>

namespace Takings {

namespace {

using namespace Receipt;

// One piece of a summary line: a fixed text, or a receipt field fitted to `width` characters
// (width 0: the field trimmed, at its own length).
struct LinePiece
{
    const char16_t *text;
    int field;
    int width;
};

// clang-format off
const std::array<LinePiece, 14> kLine = {{
    {u"Ric. n. ",   -1,        0},
    {nullptr,       NumRic,   12},
    {u"  Data: ",   -1,        0},
    {nullptr,       Data,     10},
    {u"  ",         -1,        0},
    {nullptr,       Pagatore, 26},
    {u"  Sport: ",  -1,        0},
    {nullptr,       Sport,    30},
    {u"  Dal ",     -1,        0},
    {nullptr,       Dal,      10},
    {u"  Al ",      -1,        0},
    {nullptr,       Al,       10},
    {u"  Tot. € ",  -1,        0},
    {nullptr,       Intero,    0},
}};

struct MonthName { const char *name; int number; };
const std::array<MonthName, 12> kMonths = {{
    {"Gennaio", 1}, {"Febbraio", 2}, {"Marzo", 3}, {"Aprile", 4}, {"Maggio", 5}, {"Giugno", 6},
    {"Luglio", 7}, {"Agosto", 8}, {"Settembre", 9}, {"Ottobre", 10}, {"Novembre", 11}, {"Dicembre", 12},
}};
// clang-format on

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

const QString kNotComputed = QStringLiteral("\n\r\n\rIl riepilogo non è stato calcolato.");

QString unreadableFile()
{
    return QStringLiteral("Attenzione: il file di archivio non risulta accessibile.") + kNotComputed;
}

QString unreadableReceipt(qint64 position)
{
    return QStringLiteral(
               "Attenzione: non è stato possibile leggere la ricevuta in posizione %1 dell'archivio.")
               .arg(position) +
           kNotComputed;
}

// `what` names the field with its agreement: "una data di emissione non valida", "un importo non valido".
QString badField(qint64 position, const QString &number, const QString &what, const QString &text)
{
    return QStringLiteral("Attenzione: la ricevuta n. %1 (posizione %2 dell'archivio) ha %3: \"%4\".")
               .arg(number)
               .arg(position)
               .arg(what, text) +
           kNotComputed;
}

// A filter as the summary applies it: active when not blank, matched as typed with A-Z folded.
class Filter
{
public:
    explicit Filter(const QString &typed)
        : m_active(!trimBlanksView(typed).isEmpty()), m_folded(lowerAZ(typed))
    {
    }
    bool active() const { return m_active; }
    bool matches(const QString &field) const { return lowerAZ(field).contains(m_folded); }

private:
    bool m_active;
    QString m_folded;
};

QString periodDateMessage(const QString &date, const char *which)
{
    return QStringLiteral("Attenzione: la data ") + date + QStringLiteral(" di ") + QLatin1String(which) +
           QStringLiteral(" intervallo non esiste.\n\r\n\rPer poter visualizzare il riepilogo è necessario "
                          "indicare una data valida.");
}

QString composeDate(const QString &day, const QString &month, const QString &year)
{
    const int number = monthNumber(month);
    const QString monthDigits =
        number > 0 ? QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')) : QString();
    return trimBlanks(day) + QLatin1Char('/') + monthDigits + QLatin1Char('/') + trimBlanks(year);
}

} // namespace

QString summaryLine(const char *record)
{
    QString line;
    line.reserve(160);
    for (const LinePiece &piece : kLine) {
        if (piece.text)
            line += QStringView(piece.text);
        else if (piece.width > 0)
            line += fitText(decodeField(record, piece.field), piece.width);
        else
            line += decodeField(record, piece.field); // already trimmed
    }
    return line;
}

std::optional<ExactAmount> exactAmount(QStringView text)
{
    const QStringView t = trimBlanksView(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    ExactAmount units = 0;
    int digits = 0;
    // Whole euros; the record field holds at most 11 characters, but a longer text must not overflow.
    for (; i < t.size() && isDigit(t[i]); ++i, ++digits) {
        if (digits >= 18)
            return std::nullopt;
        units = units * 10 + (t[i].unicode() - u'0');
    }
    for (int d = 0; d < kExactDecimals; ++d)
        units *= 10;
    if (i < t.size() && t[i] == QLatin1Char(',')) {
        ++i;
        ExactAmount place = 1;
        for (int d = 1; d < kExactDecimals; ++d)
            place *= 10;
        for (; i < t.size() && isDigit(t[i]); ++i, ++digits) {
            units += place * (t[i].unicode() - u'0');
            place /= 10;
        }
    }
    if (i != t.size() || digits == 0)
        return std::nullopt;
    return negative ? -units : units;
}

qint64 toTenThousandths(ExactAmount sum)
{
    ExactAmount unit = 1; // one ten-thousandth of a euro
    for (int d = 4; d < kExactDecimals; ++d)
        unit *= 10;
    // Plus one half, the fraction dropped; a negative sum the same way on its magnitude, so that an
    // exact total such as -3,10 stays exact.
    return sum < 0 ? -qint64((-sum + unit / 2) / unit) : qint64((sum + unit / 2) / unit);
}

QString formatTotal(qint64 total10000)
{
    const quint64 magnitude = total10000 < 0 ? quint64(-(total10000 + 1)) + 1 : quint64(total10000);
    QString decimals = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (decimals.size() > 2 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return (total10000 < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 10000) +
           QLatin1Char(',') + decimals;
}

QString intervalText(const QDate &start, const QDate &end)
{
    return QStringLiteral("Dal   ") + Formats::formatDate(start) + QStringLiteral("   al   ") +
           Formats::formatDate(end);
}

Summary buildSummary(const QString &yearFilePath, const SummaryFilter &filter)
{
    Summary s;
    const Filter payer(filter.payer);
    const Filter activity(filter.activity);

    auto fail = [&s](qint64 position, const QString &number, const QString &message) {
        s.error = SummaryError{position, number, message};
        return false;
    };

    ExactAmount sum = 0;
    QString ioError;
    qint64 failedIndex = -1;
    const bool read =
        YearFile(yearFilePath)
            .scan(
                [&](qint64 index, const char *record) {
                    if (payer.active() && !payer.matches(decodeField(record, Pagatore)))
                        return true;
                    if (activity.active() && !activity.matches(decodeField(record, Sport)))
                        return true;
                    const QString whole = decodeField(record, Intero);
                    if (whole.isEmpty())
                        return true;
                    const QString dateText = decodeField(record, Data);
                    const QDate date = Formats::parseDateText(dateText);
                    if (!date.isValid()) {
                        const QString number = decodeField(record, NumRic);
                        return fail(index + 1, number,
                                    badField(index + 1, number,
                                             QStringLiteral("una data di emissione non valida"), dateText));
                    }
                    if (date < filter.start || date > filter.end)
                        return true;
                    const std::optional<ExactAmount> amount = exactAmount(whole);
                    if (!amount) {
                        const QString number = decodeField(record, NumRic);
                        return fail(
                            index + 1, number,
                            badField(index + 1, number, QStringLiteral("un importo non valido"), whole));
                    }
                    s.lines.append(summaryLine(record));
                    sum += *amount;
                    return true;
                },
                &ioError, &failedIndex);

    if (!read && !s.error) {
        if (failedIndex < 0)
            fail(0, QString(), unreadableFile());
        else
            fail(failedIndex + 1, QString(), unreadableReceipt(failedIndex + 1));
    }
    if (s.error) {
        s.lines.clear();
        return s;
    }
    s.total10000 = toTenThousandths(sum);
    s.total = formatTotal(s.total10000);
    s.interval = intervalText(filter.start, filter.end);
    return s;
}

QStringList monthNames()
{
    QStringList names;
    for (const MonthName &m : kMonths)
        names << QString::fromLatin1(m.name);
    return names;
}

QStringList dayNames()
{
    QStringList days;
    for (int d = 1; d <= 31; ++d)
        days << QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
    return days;
}

int monthNumber(const QString &text)
{
    const QString folded = lowerAZ(trimBlanks(text));
    for (const MonthName &m : kMonths)
        if (folded == lowerAZ(QString::fromLatin1(m.name)))
            return m.number;
    return 0;
}

bool isListedDay(const QString &text)
{
    const QString t = trimBlanks(text);
    return t.size() == 2 && dayNames().contains(t);
}

PeriodCheck checkPeriod(const PeriodChoice &choice)
{
    PeriodCheck c;
    auto refuse = [&c](PeriodCheck::Box box, PeriodField focus, const QString &message) {
        c.box = box;
        c.focus = focus;
        c.message = message;
        return c;
    };
    using Box = PeriodCheck::Box;

    if (choice.year.size() != 4)
        return refuse(Box::Warning, PeriodField::Year,
                      QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
    // clang-format off
    const struct { const QString &text; PeriodField field; const char *message; } listed[] = {
        {choice.startDay,   PeriodField::StartDay,   "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."},
        {choice.startMonth, PeriodField::StartMonth, "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."},
        {choice.endDay,     PeriodField::EndDay,     "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."},
        {choice.endMonth,   PeriodField::EndMonth,   "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."},
    };
    // clang-format on
    for (const auto &l : listed)
        if (trimBlanksView(l.text).isEmpty())
            return refuse(Box::Warning, l.field, QString::fromUtf8(l.message));

    c.startText = composeDate(choice.startDay, choice.startMonth, choice.year);
    c.start = Formats::parseDateText(c.startText);
    if (!c.start.isValid())
        return refuse(Box::Plain, PeriodField::StartDay, periodDateMessage(c.startText, "inizio"));
    c.endText = composeDate(choice.endDay, choice.endMonth, choice.year);
    c.end = Formats::parseDateText(c.endText);
    if (!c.end.isValid())
        return refuse(Box::Plain, PeriodField::EndDay, periodDateMessage(c.endText, "fine"));
    if (c.start > c.end)
        return refuse(
            Box::Plain, PeriodField::None,
            QStringLiteral("Attenzione: la data di fine intervallo (") + c.endText +
                QStringLiteral(") non può essere anteriore a quella di inizio intervallo (") + c.startText +
                QStringLiteral(").\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
                               "intervallo di tempo valido."));
    return c;
}

} // namespace Takings
