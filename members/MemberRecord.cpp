#include "members/MemberRecord.h"

#include <QHash>

namespace Member {

// clang-format off
const std::array<FieldInfo, FieldCount> kFields = {{
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

const FieldSpec *fieldSpecs()
{
    static const std::array<FieldSpec, FieldCount> layouts = [] {
        std::array<FieldSpec, FieldCount> s{};
        for (size_t i = 0; i < s.size(); ++i)
            s[i] = kFields[i].layout;
        return s;
    }();
    return layouts.data();
}

int fieldIndex(const QString &name)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < FieldCount; ++i)
            h.insert(fieldName(i), i);
        return h;
    }();
    return index.value(name, -1);
}

QByteArray encode(const Record &r)
{
    QByteArray bytes(kRecordSize, '\0');
    for (int i = 0; i < FieldCount; ++i)
        encodeFixedText(bytes.data() + kFields[size_t(i)].layout.offset, kFields[size_t(i)].layout.width, r[i]);
    return bytes;
}

QString decodeField(const char *record, int field)
{
    const FieldSpec &s = kFields[size_t(field)].layout;
    return decodeFixedText(record + s.offset, s.width);
}

Record decode(const QByteArray &bytes)
{
    Record r;
    if (bytes.size() < kRecordSize)
        return r;
    for (int i = 0; i < FieldCount; ++i)
        r[i] = decodeField(bytes.constData(), i);
    return r;
}

} // namespace Member
