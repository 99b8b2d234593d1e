#include "app/Crypt.h"

#include "common/Cp1252.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "common/TextUtil.h"

namespace Crypt {

namespace {
constexpr quint16 kStartKey = 7391;
constexpr quint16 kMultiplier = 37117;
constexpr quint16 kIncrement = 30871;

// The key always advances with the scrambled byte, whichever way the text goes.
inline quint16 nextKey(quint16 key, quint8 scrambled)
{
    return quint16((quint32(scrambled) + key) * kMultiplier + kIncrement);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
} // namespace

std::optional<QString> encode(QStringView text)
{
    if (text.size() > kMaxPasswordLength)
        return std::nullopt;
    static const char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() * 2);
    quint16 key = kStartKey;
    for (const QChar c : text) {
        const int byte = cp1252Byte(c.unicode());
        if (byte < 0)
            return std::nullopt;
        const auto s = quint8(byte ^ (key >> 8));
        out += QLatin1Char(digits[s >> 4]);
        out += QLatin1Char(digits[s & 0x0F]);
        key = nextKey(key, s);
    }
    return out;
}

std::optional<QString> decode(QStringView hex)
{
    const qsizetype n = hex.size() / 2;
    QByteArray out(n, Qt::Uninitialized);
    quint16 key = kStartKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexValue(hex[2 * i]);
        const int lo = hexValue(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const auto s = quint8(hi * 16 + lo);
        out[i] = char(s ^ (key >> 8));
        key = nextKey(key, s);
    }
    return fromCp1252(out);
}

QString normalisePassword(QStringView typed)
{
    return upperAZ(trimBlanks(typed));
}

QString passwordFilePath()
{
    return programFolder() + QStringLiteral("unins000.dll");
}

std::optional<QString> readStoredPassword()
{
    // A missing file reads as an empty password; a file that is there but cannot be read is an error.
    const std::optional<QString> stored = Ini::readExisting(passwordFilePath(), kSection, kKey);
    if (!stored)
        return std::nullopt;
    const std::optional<QString> plain = decode(*stored);
    if (!plain)
        return std::nullopt;
    return trimBlanks(*plain);
}

bool writeStoredPassword(const QString &password)
{
    const std::optional<QString> hex = encode(password);
    return hex && Ini::write(passwordFilePath(), kSection, kKey, *hex);
}

} // namespace Crypt
