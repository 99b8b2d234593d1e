#include "common/TaxCode.h"

#include <array>

namespace TaxCode {

namespace {

// Value of a character in an odd position (1st, 3rd, ... 15th), for the digits 0-9 and the letters
// A-Z; a digit counts as the letter of the same place ("0" as "A", "9" as "J").
// clang-format off
constexpr std::array<int, 26> kOddLetter = {
    1,  0,  5,  7,  9, 13, 15, 17, 19, 21,  // A B C D E F G H I J
    2,  4, 18, 20, 11,  3,  6,  8, 12, 14,  // K L M N O P Q R S T
   16, 10, 22, 25, 24, 23,                  // U V W X Y Z
};
// clang-format on

// Place of a digit (0-9) or letter (A-Z, 0-25) in its series; -1 for any other character.
int place(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A';
    return -1;
}

} // namespace

std::optional<QChar> checkCharacter(QStringView code)
{
    if (code.size() < kLength - 1)
        return std::nullopt;
    int sum = 0;
    for (int i = 0; i < kLength - 1; ++i) {
        const int p = place(code[i]);
        if (p < 0)
            return std::nullopt;
        // Positions count from 1: index 0 is the first, odd, position.
        sum += (i % 2 == 0) ? kOddLetter[size_t(p)] : p;
    }
    return QChar(char16_t(u'A' + sum % 26));
}

Result check(QStringView code)
{
    if (code.size() != kLength)
        return Result::WrongLength;
    const std::optional<QChar> expected = checkCharacter(code);
    return expected && code[kLength - 1] == *expected ? Result::Valid : Result::Invalid;
}

} // namespace TaxCode
