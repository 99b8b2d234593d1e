#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The access password is stored scrambled, two upper-case hexadecimal digits per character, as
// "Valore" of section "Accesso" in the password file unins000.dll (an INI file despite its name).
// Each character is scrambled as its Windows-1252 byte, so a password may hold any character of
// that code page ("€", "Š", typographic quotes).
namespace Crypt {

// The stored form can give back at most this many characters.
inline constexpr int kMaxPasswordLength = 255;

// Scrambles a password into upper-case hexadecimal digits, two per character. Refuses (nullopt)
// a text longer than kMaxPasswordLength or holding a character outside Windows-1252: such a
// password could never be typed back to match what would be stored.
std::optional<QString> encode(QStringView text);

// Gives back the text of a stored form. A last odd digit is ignored; a pair that is not two
// hexadecimal digits (either case) makes the whole value unreadable (nullopt).
std::optional<QString> decode(QStringView hex);

// A typed password as it is compared and stored: trimmed, a-z upper-cased.
QString normalisePassword(QStringView typed);

// programFolder() + "unins000.dll".
QString passwordFilePath();

// The stored password, decoded and trimmed. A missing file, section or key reads as empty;
// nullopt when the file is there but cannot be read, or the stored value cannot be decoded.
std::optional<QString> readStoredPassword();

// Stores a (normalised) password. False when it cannot be encoded or the file cannot be written;
// the file then keeps its previous value.
bool writeStoredPassword(const QString &password);

} // namespace Crypt
