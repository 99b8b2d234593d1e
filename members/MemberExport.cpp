#include "members/MemberExport.h"

#include "records/MemberRecord.h"

namespace MemberExport {

using namespace Member;

// Columns 21 to 24 are the practitioner's data, hence the second "Luogo di nascita" and
// "Data di nascita".
const std::array<Column, kColumnCount> kColumns = {{
    {"colNum", "N.", 60, false, nullptr, 0, -1},
    {"colTiratore", "Cognome e nome", 250, false, "Cognome e nome", 250, Tiratore},
    {"colDataNasc", "Data di nascita", 150, false, "Data di nascita", 200, DataNasc},
    {"colCittadinanza", "Cittadinanza", 200, false, "Cittadinanza", 250, Cittadinanza},
    {"colLuogoNasc", "Luogo di nascita", 250, true, "Luogo di nascita", 300, LuogoNasc},
    {"colIndirizzo", "Indirizzo di residenza", 250, true, "Indirizzo di residenza", 300, Indirizzo},
    {"colCitta", "Città", 220, true, "Città", 250, Citta},
    {"colCAP", "CAP", 100, true, "CAP", 150, Cap},
    {"colNazione", "Nazione", 200, false, "Nazione", 250, Nazione},
    {"colCodFisc", "Codice fiscale", 180, false, "Codice fiscale", 250, CodFisc},
    {"colGruppo", "Gruppo sanguigno", 150, true, "Gruppo sanguigno", 200, Gruppo},
    {"colProfessione", "Professione", 220, false, "Professione", 250, Professione},
    {"colStudio", "Scad. certificato medico", 180, false, "Scad. certificato medico", 250,
     ScadenzaCertificato},
    {"colEnte", "Attività sportiva", 300, false, "Attività sportiva", 400, Attivita},
    {"colEmail", "E-mail", 220, true, "E-mail", 250, Email},
    {"colTelCasa", "Tel. casa", 180, false, "Tel. casa", 200, Tel},
    {"colTelCel", "Tel. cellulare", 180, true, "Tel. cellulare", 200, Cel},
    {"colTessera", "Tessera n.", 200, false, "Tessera n.", 250, Tessera},
    {"colQuota", "Quota", 150, true, "Quota", 200, Quota},
    {"colInizioTes", "Data di rilascio", 150, true, "Data di rilascio", 200, InizioTes},
    {"colFineTes", "Data di scadenza", 150, true, "Data di scadenza", 200, FineTes},
    {"colArmi", "Praticante", 250, true, "Praticante", 250, Praticante},
    {"colPorto", "Luogo di nascita", 250, true, "Luogo di nascita", 300, LuogoNascPraticante},
    {"colInizioPor", "Data di nascita", 150, true, "Data di nascita", 200, DataNascPraticante},
    {"colFinePor", "Indirizzo", 300, true, "Indirizzo", 400, IndirizzoPraticante},
    {"colNote", "Note", 350, true, "Note", 400, Note},
}};

QList<SpreadsheetColumn> exportColumns()
{
    return exportedColumns(kColumns.data(), kColumnCount);
}

int gridColumnOf(int exportColumn)
{
    return ::gridColumnOf(kColumns.data(), kColumnCount, exportColumn);
}

} // namespace MemberExport
