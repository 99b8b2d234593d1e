#pragma once

#include <QString>
#include <QStringView>

// Removes leading and trailing characters with code 32 or below (blanks and control characters).
QString trimBlanks(QStringView s);
// The same, as a view into `s` (no copy).
QStringView trimBlanksView(QStringView s);

// Turns only a-z into A-Z; every other character stays as it is.
QString upperAZ(QStringView s);
// Turns only A-Z into a-z; accented letters are left alone.
QString lowerAZ(QStringView s);

// Trims s, then pads it with blanks on the right or cuts it to exactly n characters.
QString fitText(QStringView s, int n);

// Orders two texts by character code, with a-z taken as A-Z and no other folding.
int compareFoldedAZ(QStringView a, QStringView b);
