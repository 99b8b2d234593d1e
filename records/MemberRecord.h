#pragma once

#include "common/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// The member record of Archivio_Iscritti.pro: 32 fixed text fields, 3189 bytes, no header.
namespace Member {

// Field indexes, in record order. Most are known by the member-sheet control that shows them; those
// whose control's name says something else are named by what they hold: the medical certificate's
// expiry (txtStudio), the sporting activity (txtEnte) and the practitioner's name, birthplace,
// birth date and address (txtArmi, txtPorto, txtInizioPor, txtFinePor). kFields gives each one's
// control.
enum Field
{
    Tiratore,
    Sesso,
    DataNasc,
    Cittadinanza,
    LuogoNasc,
    Indirizzo,
    Citta,
    Cap,
    Nazione,
    CodFisc,
    Gruppo,
    Professione,
    ScadenzaCertificato,
    Attivita,
    Email,
    Tel,
    Cel,
    Tessera,
    Quota,
    InizioTes,
    FineTes,
    Praticante,
    LuogoNascPraticante,
    DataNascPraticante,
    IndirizzoPraticante,
    Note,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    FieldCount
};

constexpr int kRecordSize = 3189;
constexpr int kSheetFieldCount = 26; // fields 0..25 are entry fields; 26..31 hidden labels

struct FieldInfo
{
    FieldSpec layout;  // control name, offset, width
    const char *label; // the label beside the entry field on the member sheet (UTF-8), or nullptr
    bool required;     // a save refuses the sheet while it is empty
};

// The layout, one row per field in record order. Everything that handles member fields (codec,
// sheet, lists, printing, export) is driven from this table.
// clang-format off
inline constexpr std::array<FieldInfo, FieldCount> kFields = {{
    {{"txtTiratore",        0,  50}, "Cognome e nome:",              true},
    {{"txtSesso",          51,   1}, "Sesso:",                       false},
    {{"txtDataNasc",       53,  10}, "Data nascita:",                false},
    {{"txtCittadinanza",   64,  50}, "Cittadinanza:",                false},
    {{"txtLuogoNasc",     115,  50}, "Luogo nascita:",               false},
    {{"txtIndirizzo",     166, 120}, "Indirizzo residenza:",         false},
    {{"txtCitta",         287,  50}, "Città:",                       false},
    {{"txtCap",           338,  10}, "CAP:",                         false},
    {{"txtNazione",       349,  50}, "Nazione:",                     false},
    {{"txtCodFisc",       400,  16}, "Codice fiscale:",              false},
    {{"txtGruppo",        417,  50}, "Gruppo sanguigno:",            false},
    {{"txtProfessione",   468, 120}, "Professione:",                 false},
    {{"txtStudio",        589, 120}, "Scadenza certificato medico:", true},
    {{"txtEnte",          710, 120}, "Attività sportiva:",           true},
    {{"txtEmail",         831,  50}, "E-mail:",                      false},
    {{"txtTel",           882,  30}, "Tel. casa:",                   false},
    {{"txtCel",           913,  30}, "Tel. cellulare:",              false},
    {{"txtTessera",       944,  50}, "Tessera n.",                   true},
    {{"txtQuota",         995,  50}, "Quota: €",                     true},
    {{"txtInizioTes",    1046,  10}, "Data rilascio:",               true},
    {{"txtFineTes",      1057,  10}, "Data scadenza:",               true},
    {{"txtArmi",         1068,  50}, "Praticante (cognome e nome):", false},
    {{"txtPorto",        1119,  50}, "Luogo di nascita:",            false},
    {{"txtInizioPor",    1170,  10}, "Data di nascita:",             false},
    {{"txtFinePor",      1181, 250}, "Indirizzo:",                   false},
    {{"txtNote",         1432, 250}, "Note:",                        false},
    {{"lblFile01",       1683, 250}, nullptr,                        false},
    {{"lblFile02",       1934, 250}, nullptr,                        false},
    {{"lblFile03",       2185, 250}, nullptr,                        false},
    {{"lblDesc01",       2436, 250}, nullptr,                        false},
    {{"lblDesc02",       2687, 250}, nullptr,                        false},
    {{"lblDesc03",       2938, 250}, nullptr,                        false},
}};
// clang-format on

// The same rows as bare FieldSpecs: the member record's layout for the generic record codec.
inline constexpr std::array<FieldSpec, FieldCount> kLayout = [] {
    std::array<FieldSpec, FieldCount> rows{};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = kFields[i].layout;
    return rows;
}();
static_assert(isRecordLayout(kLayout, kRecordSize), "the member fields fill the record exactly");

inline const FieldSpec *fieldSpecs()
{
    return kLayout.data();
}
inline RecordLayout layout()
{
    return RecordLayout(kLayout);
}

// Index of the field shown by the control `name`, or -1.
int fieldIndex(const QString &name);
inline QString fieldName(int field)
{
    return QString::fromLatin1(kFields[size_t(field)].layout.name);
}

// A decoded member record: 32 texts in record order.
using Record = RecordTexts<FieldCount>;

QByteArray encode(const Record &r);
Record decode(const QByteArray &bytes); // bytes holds at least one record
// Decodes one field straight from record bytes, without decoding the others.
QString decodeField(const char *record, int field);

} // namespace Member
