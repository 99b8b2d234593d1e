// The settings files as the program reads and writes them: the input is the whole of Tesserini.ini
// (membership cards) and of Ricevute_Generiche.ini (receipts).
//
// Properties: loading never fails and gives usable settings; saving what was loaded and loading
// again gives the same settings; a start number that numbers receipts is the number the numbering
// window keeps.

#include "FuzzSupport.h"

#include "cards/CardSettings.h"
#include "common/TextUtil.h"
#include "receipts/ReceiptSettings.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kNumberingFieldLength = 5;

void checkMargin(const QString &margin)
{
    FUZZ_CHECK(!margin.isEmpty());
    FUZZ_CHECK_TEXT(trimBlanks(margin), margin);
    if (const std::optional<double> mm = CardSettings::marginMillimetres(margin))
        FUZZ_CHECK(std::isfinite(*mm));
    if (const std::optional<int> whole = CardSettings::wholeMargin(margin)) {
        FUZZ_CHECK(CardSettings::marginMillimetres(margin) == double(*whole));
        for (const int step : {-1, 1}) {
            const std::optional<QString> next = CardSettings::stepMargin(margin, step);
            const qint64 expected = qint64(*whole) + step;
            if (expected < std::numeric_limits<int>::min() || expected > std::numeric_limits<int>::max()) {
                FUZZ_CHECK(!next);
            } else {
                FUZZ_CHECK(next && CardSettings::wholeMargin(*next) == int(expected));
            }
        }
    }
}

void checkCards(const QByteArray &content)
{
    Fuzz::writeFile(CardSettings::filePath(), content);
    const CardSettings loaded = CardSettings::load();
    for (const QString &text : loaded.association)
        FUZZ_CHECK(!trimBlanks(text).isEmpty());
    checkMargin(loaded.topMargin);
    checkMargin(loaded.leftMargin);

    QString error;
    FUZZ_CHECK(loaded.saveAssociation(&error));
    FUZZ_CHECK(loaded.savePrintSettings(&error));
    const CardSettings again = CardSettings::load();
    // The texts are saved trimmed (a file may hold blanks inside quotes).
    for (size_t i = 0; i < loaded.association.size(); ++i)
        FUZZ_CHECK_TEXT(again.association[i], trimBlanks(loaded.association[i]));
    FUZZ_CHECK_TEXT(again.topMargin, loaded.topMargin);
    FUZZ_CHECK_TEXT(again.leftMargin, loaded.leftMargin);
    FUZZ_CHECK(again.orientation == loaded.orientation);
}

void checkReceipts(const QByteArray &content)
{
    Fuzz::writeFile(ReceiptSettings::filePath(), content);
    const ReceiptSettings::HeadingLines lines = ReceiptSettings::headingLines();
    const QString start = ReceiptSettings::startNumber();

    // The numbering window shows the stored number in a field of five characters and keeps it
    // normalised: what it keeps always numbers receipts, and a number that numbers receipts is
    // kept as that number.
    const QString shown = start.left(kNumberingFieldLength);
    const QString kept = ReceiptSettings::normaliseStartNumber(shown);
    for (const qint64 inYear : {qint64(0), qint64(1), qint64(99999)}) {
        const std::optional<qint64> next = ReceiptSettings::receiptNumber(kept, inYear);
        FUZZ_CHECK(next && *next == kept.toLongLong() + inYear);
    }
    if (const std::optional<qint64> first = ReceiptSettings::receiptNumber(shown, 0))
        FUZZ_CHECK_TEXT(kept, QString::number(*first));

    QString error;
    FUZZ_CHECK(ReceiptSettings::writeHeadingLines(lines, &error));
    FUZZ_CHECK(ReceiptSettings::writeStartNumber(start, &error));
    const ReceiptSettings::HeadingLines again = ReceiptSettings::headingLines();
    for (size_t i = 0; i < lines.size(); ++i)
        FUZZ_CHECK_TEXT(again[i], trimBlanks(lines[i]));
    FUZZ_CHECK_TEXT(ReceiptSettings::startNumber(), trimBlanks(start));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::programFolder();
    const QByteArray content = Fuzz::bytes(data, size);
    checkCards(content);
    checkReceipts(content);
    return 0;
}
