#include "receipts/ReceiptExport.h"

#include "records/ReceiptRecord.h"

namespace ReceiptExport {

using namespace Receipt;

// The address is headed "Indirizzo" on screen and "Indirizzo di residenza" in the file.
// clang-format off
const std::array<ExportColumn, kColumnCount> kColumns = {{
    {"colNum",        "N.",                60,  false, nullptr,                  0,   -1},
    {"colNumRic",     "Ricevuta n.",       150, false, "Ricevuta n.",            200, NumRic},
    {"colData",       "Data emissione",    120, false, "Data emissione",         200, Data},
    {"colPagatore",   "Pagatore",          250, false, "Pagatore",               300, Pagatore},
    {"colCodFisc",    "Codice fiscale",    180, false, "Codice fiscale",         200, CodFisc},
    {"colSport",      "Attività sportiva", 300, true,  "Attività sportiva",      400, Sport},
    {"colDal",        "Inizio periodo",    180, false, "Inizio periodo",         200, Dal},
    {"colAl",         "Fine periodo",      180, true,  "Fine periodo",           200, Al},
    {"colPraticante", "Praticante",        250, true,  "Praticante",             300, Praticante},
    {"colLuogoNasc",  "Luogo di nascita",  250, true,  "Luogo di nascita",       350, LuogoNasc},
    {"colDataNasc",   "Data di nascita",   180, true,  "Data di nascita",        200, DataNasc},
    {"colIndirizzo",  "Indirizzo",         350, true,  "Indirizzo di residenza", 400, Indirizzo},
    {"colIntero",     "Totale: €",         180, true,  "Totale: €",              200, Intero},
}};
// clang-format on

} // namespace ReceiptExport
