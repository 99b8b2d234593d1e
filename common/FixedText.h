#pragma once

#include <QString>
#include <QStringView>

// A fixed text field of width N takes N + 1 bytes: a length byte L, then L bytes of
// Windows-1252 text; the bytes after the text are not significant.

// The number of text bytes a field holds: its length byte, a length beyond the width read as the width.
inline int fixedTextLength(const char *field, int width)
{
    const int len = static_cast<unsigned char>(field[0]);
    return len > width ? width : len;
}

// Reads a field; a length byte beyond the width is read as the width. The text comes back trimmed.
QString decodeFixedText(const char *field, int width);

// Writes a field: the text is trimmed, converted, cut to the width; the unused bytes become zero.
void encodeFixedText(char *field, int width, QStringView text);

// One field of a record layout: its name (the entry field that shows it), offset and width.
struct FieldSpec
{
    const char *name;
    int offset;
    int width;
};

// Size in bytes of a record made of the given fields (fields are contiguous).
constexpr int recordSize(const FieldSpec *fields, int count)
{
    return count == 0 ? 0 : fields[count - 1].offset + fields[count - 1].width + 1;
}
