#include "takings/Summary.h"

#include "common/Formats.h"
#include "common/ReadProgress.h"
#include "common/TextUtil.h"
#include "records/ReceiptRecord.h"
#include "records/YearFile.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

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

// The fields a line shows, kept for each listed receipt: each as stored, its length byte first.
constexpr std::array<int, 7> kKept = {NumRic, Data, Pagatore, Sport, Dal, Al, Intero};

constexpr int keptSize()
{
    int size = 0;
    for (const int field : kKept)
        size += kFields[size_t(field)].width + 1;
    return size;
}
constexpr int kKeptSize = keptSize();

int keptOffset(int field)
{
    int at = 0;
    for (const int kept : kKept) {
        if (kept == field)
            return at;
        at += kFields[size_t(kept)].width + 1;
    }
    return -1;
}

// The line of a receipt whose stored field `f` lies at fieldAt(f).
template <typename FieldAt> QString lineOf(const FieldAt &fieldAt)
{
    QString line;
    line.reserve(160);
    for (const LinePiece &piece : kLine) {
        if (piece.text) {
            line += QStringView(piece.text);
            continue;
        }
        const QString text = decodeFixedText(fieldAt(piece.field), kFields[size_t(piece.field)].width);
        line += piece.width > 0 ? fitText(text, piece.width) : text; // already trimmed
    }
    return line;
}

int code(QChar c)
{
    return c.unicode();
}
int code(char c)
{
    return static_cast<unsigned char>(c);
}

template <typename Char> bool isDigit(Char c)
{
    return code(c) >= '0' && code(c) <= '9';
}

// A field's stored text when its bytes are plain ASCII, which decode to the same characters,
// trimmed as decoding trims it; nothing for any other byte (then the field is decoded).
std::optional<std::string_view> asciiField(const char *record, int field)
{
    const FieldSpec &f = kFields[size_t(field)];
    const char *p = record + f.offset + 1;
    int b = 0;
    int e = fixedTextLength(record + f.offset, f.width);
    for (int i = 0; i < e; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return std::nullopt;
    while (b < e && static_cast<unsigned char>(p[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(p[e - 1]) <= 32)
        --e;
    return std::string_view(p + b, size_t(e - b));
}

// A trimmed date text as the date reading takes it: one or two digits of day, the same of month,
// four of year, separated by "/"; an invalid date otherwise.
QDate asciiDate(std::string_view t)
{
    size_t i = 0;
    int parts[3] = {0, 0, 0};
    const size_t most[3] = {2, 2, 4};
    for (int p = 0; p < 3; ++p) {
        size_t digits = 0;
        for (; i < t.size() && isDigit(t[i]) && digits < most[p]; ++i, ++digits)
            parts[p] = parts[p] * 10 + (t[i] - '0');
        if (digits == 0 || (p == 2 && digits != 4))
            return QDate();
        if (p < 2 && (i >= t.size() || t[i++] != '/'))
            return QDate();
    }
    return i == t.size() ? QDate(parts[2], parts[1], parts[0]) : QDate();
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
    return lineOf([record](int field) { return record + kFields[size_t(field)].offset; });
}

QString SummaryLines::at(qsizetype i) const
{
    const char *kept = m_fields.constData() + i * kKeptSize;
    return lineOf([kept](int field) { return kept + keptOffset(field); });
}

SummaryLines::operator QStringList() const
{
    QStringList all;
    all.reserve(m_count);
    for (qsizetype i = 0; i < m_count; ++i)
        all.append(at(i));
    return all;
}

int SummaryLines::longest() const
{
    int fixed = 0;
    for (const LinePiece &piece : kLine)
        fixed += piece.text ? int(std::char_traits<char16_t>::length(piece.text)) : piece.width;
    return fixed + m_longestWhole;
}

void SummaryLines::append(const char *record, int wholeLength)
{
    const qsizetype at = m_fields.size();
    m_fields.resize(at + kKeptSize);
    char *kept = m_fields.data() + at;
    for (const int field : kKept) {
        const FieldSpec &f = kFields[size_t(field)];
        std::memcpy(kept, record + f.offset, size_t(f.width) + 1);
        kept += f.width + 1;
    }
    ++m_count;
    m_longestWhole = std::max(m_longestWhole, wholeLength);
}

void SummaryLines::reserve(qsizetype lines)
{
    // Capped, so that a file grown beyond any real year never asks for more than some hundreds of MB.
    m_fields.reserve(qMin<qsizetype>(lines, 2000000) * kKeptSize);
}

void SummaryLines::clear()
{
    m_fields.clear();
    m_count = 0;
    m_longestWhole = 0;
}

namespace {

// An amount of a trimmed text (QStringView or std::string_view), see exactAmount().
template <typename Text> std::optional<ExactAmount> exactAmountOf(const Text &t)
{
    qsizetype i = 0;
    const qsizetype size = qsizetype(t.size());
    bool negative = false;
    if (i < size && (code(t[i]) == '+' || code(t[i]) == '-')) {
        negative = code(t[i]) == '-';
        ++i;
    }
    ExactAmount units = 0;
    int digits = 0;
    // Whole euros; the record field holds at most 11 characters, but a longer text must not overflow.
    for (; i < size && isDigit(t[i]); ++i, ++digits) {
        if (digits >= 18)
            return std::nullopt;
        units = units * 10 + (code(t[i]) - '0');
    }
    for (int d = 0; d < kExactDecimals; ++d)
        units *= 10;
    if (i < size && code(t[i]) == ',') {
        ++i;
        ExactAmount place = 1;
        for (int d = 1; d < kExactDecimals; ++d)
            place *= 10;
        for (; i < size && isDigit(t[i]); ++i, ++digits) {
            units += place * (code(t[i]) - '0');
            place /= 10;
        }
    }
    if (i != size || digits == 0)
        return std::nullopt;
    return negative ? -units : units;
}

} // namespace

std::optional<ExactAmount> exactAmount(QStringView text)
{
    return exactAmountOf(trimBlanksView(text));
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
    // Only the fields that decide are read: the issue date and the whole amount, and the payer and
    // the activity when their filter is active; plain ASCII fields (nearly all) without decoding.
    const auto visit = [&](qint64 index, const char *record) {
        if (payer.active() && !payer.matches(decodeField(record, Pagatore)))
            return true;
        if (activity.active() && !activity.matches(decodeField(record, Sport)))
            return true;
        const std::optional<std::string_view> asciiWhole = asciiField(record, Intero);
        if (asciiWhole && asciiWhole->empty())
            return true;
        const QString whole = asciiWhole ? QString() : decodeField(record, Intero);
        if (!asciiWhole && whole.isEmpty())
            return true;
        const std::optional<std::string_view> asciiDateText = asciiField(record, Data);
        const QDate date =
            asciiDateText ? asciiDate(*asciiDateText) : Formats::parseDateText(decodeField(record, Data));
        if (!date.isValid()) {
            const QString number = decodeField(record, NumRic);
            return fail(index + 1, number,
                        badField(index + 1, number, QStringLiteral("una data di emissione non valida"),
                                 decodeField(record, Data)));
        }
        if (date < filter.start || date > filter.end)
            return true;
        const std::optional<ExactAmount> amount =
            asciiWhole ? exactAmountOf(*asciiWhole) : exactAmount(whole);
        if (!amount) {
            const QString number = decodeField(record, NumRic);
            return fail(index + 1, number,
                        badField(index + 1, number, QStringLiteral("un importo non valido"),
                                 decodeField(record, Intero)));
        }
        s.lines.append(record, asciiWhole ? int(asciiWhole->size()) : int(whole.size()));
        sum += *amount;
        return true;
    };
    s.lines.reserve(QFileInfo(yearFilePath).size() / kRecordSize);
    const bool read = YearFile(yearFilePath).scan(visit, &ioError, &failedIndex);
    const ReadProgress *progress = ReadProgress::current();
    s.cancelled = !read && progress && progress->cancelled;

    if (!read && !s.error && !s.cancelled) {
        if (failedIndex < 0)
            fail(0, QString(), unreadableFile());
        else
            fail(failedIndex + 1, QString(), unreadableReceipt(failedIndex + 1));
    }
    if (s.error || s.cancelled) {
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
