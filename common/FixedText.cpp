#include "common/FixedText.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <cstring>

QString decodeFixedText(const char *field, int width)
{
    int len = static_cast<unsigned char>(field[0]);
    if (len > width)
        len = width;
    return trimBlanks(fromCp1252(QByteArrayView(field + 1, len)));
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

int recordSize(const FieldSpec *fields, int count)
{
    return count == 0 ? 0 : fields[count - 1].offset + fields[count - 1].width + 1;
}
