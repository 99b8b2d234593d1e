// The password file unins000.dll: the input is the whole file, and its bytes are also tried as
// passwords.
//
// Properties: reading the stored password accepts or refuses without crashing; a stored value
// that decodes encodes back to the same digits; a password that encodes decodes back to itself,
// and one that cannot be encoded is refused as a whole; a password stored into any file is the
// one read back, and a refused one leaves the file as it was.

#include "FuzzSupport.h"

#include "app/Crypt.h"
#include "common/Cp1252.h"
#include "common/IniFile.h"
#include "common/TextUtil.h"

namespace {

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

void checkStoredValue(const QString &hex)
{
    const std::optional<QString> plain = Crypt::decode(hex);
    const qsizetype pairs = hex.size() / 2;
    bool allHex = true;
    for (qsizetype i = 0; i < pairs * 2; ++i)
        allHex = allHex && isHexDigit(hex[i]);
    FUZZ_CHECK(plain.has_value() == allHex);
    if (!plain)
        return;
    FUZZ_CHECK(plain->size() == pairs);
    if (pairs <= Crypt::kMaxPasswordLength) {
        const std::optional<QString> digits = Crypt::encode(*plain);
        FUZZ_CHECK(digits.has_value());
        FUZZ_CHECK_TEXT(*digits, hex.left(pairs * 2).toUpper());
    }
}

bool fitsPage(const QString &text)
{
    for (const QChar c : text)
        if (cp1252Byte(c.unicode()) < 0)
            return false;
    return true;
}

void checkPassword(const QString &typed, const QByteArray &file)
{
    const std::optional<QString> digits = Crypt::encode(typed);
    const bool encodable = typed.size() <= Crypt::kMaxPasswordLength && fitsPage(typed);
    FUZZ_CHECK(digits.has_value() == encodable);
    if (digits) {
        FUZZ_CHECK(digits->size() == typed.size() * 2);
        const std::optional<QString> back = Crypt::decode(*digits);
        FUZZ_CHECK(back.has_value());
        FUZZ_CHECK_TEXT(*back, typed);
    }

    // As the change window stores it, and the access window reads it.
    const QString password = Crypt::normalisePassword(typed);
    Fuzz::writeFile(Crypt::passwordFilePath(), file);
    const bool stored = Crypt::writeStoredPassword(password);
    FUZZ_CHECK(stored == Crypt::encode(password).has_value());
    if (stored) {
        const std::optional<QString> read = Crypt::readStoredPassword();
        FUZZ_CHECK(read.has_value());
        FUZZ_CHECK_TEXT(*read, password);
    } else {
        FUZZ_CHECK(Fuzz::readFile(Crypt::passwordFilePath()) == file);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::programFolder();
    const QByteArray file = Fuzz::bytes(data, size);

    // The file as the access window reads it.
    Fuzz::writeFile(Crypt::passwordFilePath(), file);
    const std::optional<QString> stored = Crypt::readStoredPassword();
    const QString value = Ini::readFromBytes(file, QStringLiteral("Accesso"), QStringLiteral("Valore"));
    checkStoredValue(value);
    FUZZ_CHECK(stored.has_value() == Crypt::decode(value).has_value());
    if (stored)
        FUZZ_CHECK_TEXT(*stored, trimBlanks(*Crypt::decode(value)));

    // The file's bytes as passwords: each byte a character of the page, and the bytes as UTF-8
    // (characters the page cannot hold, and text longer than a password may be).
    const QByteArray head = file.left(2 * Crypt::kMaxPasswordLength + 8);
    checkPassword(fromCp1252(head.left(64)), file);
    checkPassword(QString::fromUtf8(head), file);
    return 0;
}
