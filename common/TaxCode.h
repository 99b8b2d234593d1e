#pragma once

#include <QChar>
#include <QStringView>
#include <optional>

// The check character of an Italian tax code (codice fiscale of a person, 16 characters).
namespace TaxCode {

constexpr int kLength = 16;

enum class Result
{
    WrongLength, // not exactly 16 characters
    Valid,       // the 16th character is the check character of the first 15
    Invalid      // a wrong check character, or a character outside 0-9 and A-Z in the first 15
};

// The check character (A to Z) of the first 15 characters of `code`; nothing when `code` is
// shorter or one of them is not a digit or an upper-case letter A to Z.
std::optional<QChar> checkCharacter(QStringView code);

// Checks `code` as it is given: letters must already be upper case and nothing is trimmed.
// Only the check character is examined, never the arrangement of letters and digits.
Result check(QStringView code);

} // namespace TaxCode
