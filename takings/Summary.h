#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The takings summary: the receipts of one year file issued inside an interval, optionally for
// one payer and one sporting activity, as fixed-width lines with the total of their amounts.
namespace Takings {

// What the user asked for. A filter is active when it is not blank; an active filter is matched as
// typed (blanks included), anywhere in the receipt's text, with only A-Z folded to a-z.
struct SummaryFilter
{
    QString payer;
    QString activity;
    QDate start; // inclusive
    QDate end;   // inclusive
};

// A receipt that stopped the summary, or a year file that could not be read.
struct SummaryError
{
    qint64 position = 0; // 1-based position of the receipt in the year file; 0 when the file did not open
    QString number;      // the receipt's number, when its record could be read
    QString message;     // the Italian message to show
};

// The lines of the listed receipts, in file order. A line's text is built only when it is asked
// for, from the fields it shows, which are kept from the receipt's record as they were read.
class SummaryLines
{
public:
    qsizetype size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    // The line of listed receipt `i` (0 <= i < size()).
    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    // Every line.
    operator QStringList() const;
    // The characters of the longest line.
    int longest() const;

    // Lists the receipt of `record` (Receipt::kRecordSize bytes) whose whole amount has
    // `wholeLength` characters.
    void append(const char *record, int wholeLength);
    void clear();
    // Room for `lines` lines at most, taken at once rather than grown (pages never written cost
    // nothing).
    void reserve(qsizetype lines);

private:
    QByteArray m_fields; // per line, the stored bytes of the fields it shows
    qsizetype m_count = 0;
    int m_longestWhole = 0;
};

struct Summary
{
    SummaryLines lines;    // one line per listed receipt, in file order
    qint64 total10000 = 0; // the total in ten-thousandths of a euro, as the window shows it
    QString total;         // the total as the window shows it ("35,75")
    QString interval;      // "Dal   01/03/2024   al   31/03/2024"
    // Set when the summary could not be built; there are then no lines and no total.
    std::optional<SummaryError> error;
    bool cancelled = false; // stopped by the user: no lines, no total, no error
};

// Builds the summary over the year file at `yearFilePath` (created empty when missing). A receipt
// is listed when every active filter matches it, its whole amount is not blank and its issue date
// lies inside the interval. A listed receipt whose issue date or amount cannot be read, or a read
// failure, stops the whole summary with an error that names the receipt.
// Under a ReadProgress (see ReadProgress::current), a summary cancelled there stops with neither
// lines nor total, and `cancelled` set.
Summary buildSummary(const QString &yearFilePath, const SummaryFilter &filter);

// The list line of one receipt record (Receipt::kRecordSize bytes): fixed columns for number, date,
// payer, activity and period, then the whole amount at its own length.
QString summaryLine(const char *record);

// An exact amount: a whole amount of a receipt in units of 10^-10 euro, so that amounts typed with
// three or four decimals (or more) add up without the errors of binary fractions.
__extension__ typedef __int128 ExactAmount;
constexpr int kExactDecimals = 10;

// A whole amount ("120,50", "5", "-3,1", "10,125") exactly; nothing for a text that is not a number
// with an optional decimal comma. Decimals beyond the tenth are dropped.
std::optional<ExactAmount> exactAmount(QStringView text);

// A sum of amounts brought to ten-thousandths of a euro as the total's normalisation does it
// (times 10000, plus one half, the fraction dropped; a negative sum by its magnitude).
qint64 toTenThousandths(ExactAmount sum);

// A total in ten-thousandths as the summary shows it: decimal comma, no thousands separator, the
// shortest form with at least two decimals ("30,00", "12,50", "10,125").
QString formatTotal(qint64 total10000);

// The interval line of the summary window: "Dal   " + start + "   al   " + end.
QString intervalText(const QDate &start, const QDate &end);

// ---- Choosing the period ----

// The month names of the two month lists, "Gennaio" to "Dicembre".
QStringList monthNames();
// The days of the two day lists, "01" to "31".
QStringList dayNames();
// The number (1 to 12) of a month name, compared trimmed with only A-Z folded; 0 for any other text.
int monthNumber(const QString &text);
// True for the texts of the day lists, "01" to "31" (trimmed).
bool isListedDay(const QString &text);

// The fields of the period window as the user left them.
struct PeriodChoice
{
    QString year; // as typed
    QString startDay;
    QString startMonth;
    QString endDay;
    QString endMonth;
};

enum class PeriodField
{
    None,
    Year,
    StartDay,
    StartMonth,
    EndDay,
    EndMonth
};

struct PeriodCheck
{
    enum class Box
    {
        Warning,
        Plain
    };

    QString message;                       // empty when the period is good
    Box box = Box::Warning;                // the kind of box that shows the message
    PeriodField focus = PeriodField::None; // where the focus goes after the message
    QString startText;                     // the composed start date, once composed ("" before)
    QString endText;                       // the composed end date, once composed
    QDate start;
    QDate end;

    bool ok() const { return message.isEmpty(); }
};

// The checks of "Visualizza riepilogo", in their fixed order: a four-character year, the four
// list fields filled, a real start date, a real end date, the end not before the start.
PeriodCheck checkPeriod(const PeriodChoice &choice);

} // namespace Takings
