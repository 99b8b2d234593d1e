#include "common/FixedText.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <cstring>

QString decodeFixedText(const char *field, int width)
{
    return trimBlanks(fromCp1252(QByteArrayView(field + 1, fixedTextLength(field, width))));
}

void encodeFixedText(char *field, int width, QStringView text)
{
    QByteArray bytes = toCp1252(trimBlanks(text));
    if (bytes.size() > width)
        bytes.truncate(width);
    field[0] = char(bytes.size());
    std::memcpy(field + 1, bytes.constData(), size_t(bytes.size()));
    std::memset(field + 1 + bytes.size(), 0, size_t(width - bytes.size()));
}
