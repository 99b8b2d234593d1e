#pragma once

#include "common/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <array>

// The receipt record of a year file: 20 fixed text fields, 1099 bytes, no header.
namespace Receipt {

// Field indexes, in record order; each field is known by the receipt-window control that shows it.
// clang-format off
enum Field {
    NumRic, Data, Importo, Cents, ImpLettere, CentLettere, Intero, Ricevente01, Ricevente02, Ricevente03,
    Ricevente04, Pagatore, CodFisc, Sport, Dal, Al, Praticante, LuogoNasc, DataNasc, Indirizzo,
    FieldCount
};
// clang-format on

constexpr int kRecordSize = 1099;

// The layout, one row per field in record order: control name, offset of the length byte, width.
// Everything that handles receipt fields (codec, window, lists, export) is driven from this table.
// clang-format off
inline constexpr std::array<FieldSpec, FieldCount> kFields = {{
    {"txtNumRic",         0,  30},
    {"txtData",          31,  10},
    {"txtImporto",       42,   8},
    {"txtCents",         51,   2},
    {"txtImpLettere",    54, 250},
    {"txtCentLettere",  305,   2},
    {"txtIntero",       308,  11},
    {"txtRicevente01",  320,  50},
    {"txtRicevente02",  371,  50},
    {"txtRicevente03",  422,  50},
    {"txtRicevente04",  473,  50},
    {"txtPagatore",     524,  50},
    {"txtCodFisc",      575,  16},
    {"txtSport",        592, 120},
    {"txtDal",          713,  10},
    {"txtAl",           724,  10},
    {"txtPraticante",   735,  50},
    {"txtLuogoNasc",    786,  50},
    {"txtDataNasc",     837,  10},
    {"txtIndirizzo",    848, 250},
}};
// clang-format on

static_assert(isRecordLayout(kFields, kRecordSize),
              "the receipt fields fill the 1099-byte record without gaps");

inline RecordLayout layout()
{
    return RecordLayout(kFields);
}

// Index of the field shown by the control `name`, or -1.
int fieldIndex(const QString &name);
inline QString fieldName(int field)
{
    return QString::fromLatin1(kFields[size_t(field)].name);
}
inline int fieldWidth(int field)
{
    return kFields[size_t(field)].width;
}

// A decoded receipt: 20 texts in record order.
using Record = RecordTexts<FieldCount>;

// Each field trimmed, converted to Windows-1252 and cut to its width; unused bytes are zero.
QByteArray encode(const Record &r);
// `bytes` holds at least one record; a shorter array gives an empty record.
Record decode(const QByteArray &bytes);
// Decodes one field straight from record bytes, without decoding the others.
QString decodeField(const char *record, int field);

} // namespace Receipt
