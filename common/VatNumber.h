#pragma once

#include <QString>
#include <QStringView>

// The check digit of an Italian VAT number (partita IVA, 11 digits) and the provincial VAT office
// that issued it, read from digits 8 to 10.
namespace VatNumber {

constexpr int kLength = 11;

enum class Result
{
    WrongLength, // not exactly 11 characters
    Valid,       // 11 digits with the right check digit
    Invalid      // a wrong check digit, or a character that is not a digit
};

Result check(QStringView number);

// The office code of a number: its characters 8, 9 and 10 (counted from 1); empty when shorter.
QString officeCode(QStringView number);

// The name of the office with the three-digit `code`; empty for a code that is not in the table.
QString officeName(QStringView code);

// True for a text that is not empty and holds only the digits 0 to 9: a tax-code field holding
// such a text calls for the VAT number check instead of the tax code check.
bool looksLikeVatNumber(QStringView text);

} // namespace VatNumber
