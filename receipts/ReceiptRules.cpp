#include "receipts/ReceiptRules.h"

#include "receipts/ReceiptSettings.h"

#include "common/Formats.h"
#include "common/TextUtil.h"
#include "receipts/AmountInWords.h"

#include <array>

namespace Receipt {

namespace {

enum class Test
{
    Blank,       // the field is empty after trimming
    InvalidDate, // the field is not a real date dd/mm/yyyy
    NotEuros,    // the field is not 1 to 8 decimal digits
    NotCents,    // the field is not exactly 2 decimal digits
};

const char *const kBadAmount =
    "Attenzione: l'importo indicato non è valido.\n\r\n\rPer poter salvare la scheda è necessario indicare "
    "gli euro con al massimo otto cifre e i centesimi con due cifre.";

bool isDigits(const QString &text, qsizetype minLength, qsizetype maxLength)
{
    if (text.size() < minLength || text.size() > maxLength)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

struct Check
{
    Field field;
    Test test;
    const char *message; // UTF-8
};

// clang-format off
const std::array<Check, 10> kChecks = {{
    {NumRic,   Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare il numero progressivo della ricevuta."},
    {Data,     Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare la data di emissione della ricevuta."},
    {Data,     Test::InvalidDate, "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/anno."},
    {Pagatore, Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore."},
    {CodFisc,  Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del pagatore."},
    {Sport,    Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata."},
    {Dal,      Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare la data di inizio del periodo a cui il pagamento si riferisce."},
    {Al,       Test::Blank,       "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del periodo a cui il pagamento si riferisce."},
    // The boxes take digits only, so only a receipt read from a damaged year file fails these:
    // its figures could not be stated in words.
    {Importo,  Test::NotEuros,    kBadAmount},
    {Cents,    Test::NotCents,    kBadAmount},
}};
// clang-format on

bool fails(const Check &check, const QString &text)
{
    switch (check.test) {
    case Test::Blank:
        return trimBlanksView(text).isEmpty();
    case Test::InvalidDate:
        return !Formats::parseDateText(text).isValid();
    case Test::NotEuros:
        return !isDigits(trimBlanks(text), 1, fieldWidth(Importo));
    case Test::NotCents:
        return !isDigits(trimBlanks(text), 2, 2);
    }
    return true;
}

} // namespace

QString accessMessage()
{
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
        "possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

QString completeCents(const QString &cents)
{
    const QString t = trimBlanks(cents);
    if (t.isEmpty())
        return QStringLiteral("00");
    if (t.size() == 1)
        return t + QLatin1Char('0');
    return t;
}

Amount completeAmount(const QString &euros, const QString &cents)
{
    Amount a;
    a.euros = trimBlanks(euros);
    if (a.euros.isEmpty())
        a.euros = QStringLiteral("0");
    a.cents = completeCents(trimBlanks(cents).left(2));
    a.whole = a.euros + QLatin1Char(',') + a.cents;
    a.words = amountInWords(a.euros);
    return a;
}

void setAmount(Record &receipt, const Amount &amount)
{
    receipt[Importo] = amount.euros;
    receipt[Cents] = amount.cents;
    receipt[CentLettere] = amount.cents;
    receipt[Intero] = amount.whole;
    receipt[ImpLettere] = amount.words;
}

std::optional<CheckFailure> checkForSave(const Record &receipt)
{
    for (const Check &check : kChecks)
        if (fails(check, receipt[check.field]))
            return CheckFailure{check.field, QString::fromUtf8(check.message)};
    return std::nullopt;
}

RecordArchive::Maker newReceipt(Record receipt, const QString &givenNumber, QString *taken)
{
    return [receipt, givenNumber, taken](qint64 count) mutable {
        if (!givenNumber.isEmpty() && trimBlanks(receipt[NumRic]) == givenNumber) {
            if (const std::optional<qint64> number =
                    ReceiptSettings::receiptNumber(ReceiptSettings::startNumber(), count))
                receipt[NumRic] = QString::number(*number);
        }
        if (taken)
            *taken = trimBlanks(receipt[NumRic]);
        return encode(receipt);
    };
}

} // namespace Receipt
