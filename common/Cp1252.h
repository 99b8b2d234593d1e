#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the single-byte code page of every data file. Qt has no converter for it here,
// so the program carries its own table.

// Converts text to Windows-1252; each character (code point) the page cannot hold becomes '?'.
QByteArray toCp1252(QStringView text);

// Converts Windows-1252 bytes to text. The five bytes the page leaves undefined map to the
// control characters of the same value, as Windows does.
QString fromCp1252(QByteArrayView bytes);

// The byte for one character, or -1 when the page cannot hold it.
int cp1252Byte(char32_t codePoint);
