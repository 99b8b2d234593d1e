#pragma once

#include <QString>
#include <QStringView>

// Removes leading and trailing characters with code 32 or below (blanks and control characters).
QString trimBlanks(QStringView s);
// The same, as a view into `s` (no copy).
QStringView trimBlanksView(QStringView s);

// The A-Z folding of every comparison and list order in the program: only the letters a-z and
// A-Z change case; accented letters and everything else stay as they are.
constexpr char16_t foldUpAZ(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}
constexpr char16_t foldDownAZ(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}
// The same on a Windows-1252 byte (A-Z and a-z have the same codes).
constexpr char foldDownAZ(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// Turns only a-z into A-Z; every other character stays as it is.
QString upperAZ(QStringView s);
// Turns only A-Z into a-z; accented letters are left alone.
QString lowerAZ(QStringView s);

// Trims s, then pads it with blanks on the right or cuts it to exactly n characters.
QString fitText(QStringView s, int n);

// Orders two texts by character code, with a-z taken as A-Z and no other folding.
int compareFoldedAZ(QStringView a, QStringView b);
