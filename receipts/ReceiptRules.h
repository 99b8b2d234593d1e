#pragma once

#include "common/RecordArchive.h"
#include "records/MemberRecord.h"
#include "records/ReceiptRecord.h"

#include <QString>
#include <optional>

// What the receipt window decides without a window: the amount as Salva completes it and the
// checks a receipt must pass before it is stored.
namespace Receipt {

// The archive access message of the receipt windows.
QString accessMessage();

// The cents box when the focus leaves it: blank gives "00", one character c gives c + "0"
// (5 means 50 cents), anything else stays as it is (trimmed).
QString completeCents(const QString &cents);

// The amount as Salva stores it.
struct Amount
{
    QString euros; // the euros box trimmed, "0" when blank; leading zeros are kept as typed
    QString cents; // exactly two characters when the box held digits; also the cents copy
    QString whole; // euros + "," + cents, the total that lists and exports show
    QString words; // the words of `euros`, so that figures and words always state the same amount
};

// Completes the amount typed in the euros and cents boxes: blank euros become "0"; cents are cut
// to their first two characters, blank cents become "00" and one character c becomes c + "0".
// The words are always those of the completed euros ("0" gives "ZERO").
Amount completeAmount(const QString &euros, const QString &cents);

// Puts a completed amount into the receipt's fields (euros, cents, cents copy, whole amount, words).
void setAmount(Record &receipt, const Amount &amount);

// One failed check of Salva: the field to put the focus on and the warning to show.
struct CheckFailure
{
    int field;       // a Receipt::Field
    QString message; // the exact warning text
};

// Runs the eight checks of Salva in their fixed order (number, issue date present, issue date a
// real dd/mm/yyyy date, payer, tax code, activity, period start, period end), then checks that the
// completed euros are 1 to 8 digits and the cents 2 digits (only a receipt read from a damaged year
// file can fail these), and returns the first that fails, or nothing when the receipt may be
// stored. Blank means empty after trimming.
std::optional<CheckFailure> checkForSave(const Record &receipt);

// How Salva stores a new receipt. When its number is still the one Nuovo gave (`givenNumber`),
// the number is decided again when the record is written, under the year file's lock: the start
// number plus the receipts then in the file, so that two programs saving at once never give two
// receipts the same number. A number the user typed is stored as typed. `*taken` receives the
// number the stored receipt carries.
RecordArchive::Maker newReceipt(Record receipt, const QString &givenNumber, QString *taken);

// The payer import (the red arrow): the receipt fields that a member chosen in the member search
// fills, each from its member field, trimmed. Nothing else of the receipt changes.
struct PayerField
{
    Field receipt;
    Member::Field member;
};
inline constexpr PayerField kPayerImport[] = {
    {Pagatore, Member::Tiratore},
    {CodFisc, Member::CodFisc},
    {Sport, Member::Attivita},
    {Praticante, Member::Praticante},
    {LuogoNasc, Member::LuogoNascPraticante},
    {DataNasc, Member::DataNascPraticante},
    {Indirizzo, Member::IndirizzoPraticante},
};

} // namespace Receipt
