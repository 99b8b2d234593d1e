#pragma once

#include "common/FixedText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// The member record of Archivio_Iscritti.pro: 32 fixed text fields, 3189 bytes, no header.
namespace Member {

// Field indexes, in record order; each field is known by the member-sheet control that shows it.
enum Field {
    Tiratore, Sesso, DataNasc, Cittadinanza, LuogoNasc, Indirizzo, Citta, Cap, Nazione, CodFisc,
    Gruppo, Professione, Studio, Ente, Email, Tel, Cel, Tessera, Quota, InizioTes, FineTes, Armi,
    Porto, InizioPor, FinePor, Note, File01, File02, File03, Desc01, Desc02, Desc03,
    FieldCount
};

constexpr int kRecordSize = 3189;
constexpr int kSheetFieldCount = 26; // fields 0..25 are entry fields; 26..31 hidden labels

struct FieldInfo
{
    FieldSpec layout;    // control name, offset, width
    const char *label; // the label beside the entry field on the member sheet (UTF-8), or nullptr
    bool required;     // a save refuses the sheet while it is empty
};

// The layout, one row per field in record order. Everything that handles member fields (codec,
// sheet, lists, printing, export) is driven from this table.
extern const std::array<FieldInfo, FieldCount> kFields;
// The same rows as bare FieldSpecs, for the generic record codec.
const FieldSpec *fieldSpecs();

// Index of the field shown by the control `name`, or -1.
int fieldIndex(const QString &name);
inline QString fieldName(int field) { return QString::fromLatin1(kFields[size_t(field)].layout.name); }

// A decoded member record: 32 texts in record order.
struct Record
{
    std::array<QString, FieldCount> f;
    QString &operator[](int i) { return f[size_t(i)]; }
    const QString &operator[](int i) const { return f[size_t(i)]; }
};

QByteArray encode(const Record &r);
Record decode(const QByteArray &bytes); // bytes holds at least one record
// Decodes one field straight from record bytes, without decoding the others.
QString decodeField(const char *record, int field);

} // namespace Member
