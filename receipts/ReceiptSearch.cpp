#include "receipts/ReceiptSearch.h"

#include "records/YearFile.h"

#include <QFileInfo>

namespace ReceiptSearch {

using namespace Receipt;

// clang-format off
const std::array<SearchCriterion, kCriterionCount> kCriteria = {{
    {"txtNumRic",     "Ricevuta n.",                  NumRic,     "effNumRic",     "txtData"},
    {"txtData",       "Data emissione (gg/mm/aaaa):", Data,       "effData",       "txtPagatore"},
    {"txtPagatore",   "Pagatore:",                    Pagatore,   "effPagatore",   "txtCodFisc"},
    {"txtCodFisc",    "Codice fiscale:",              CodFisc,    "effCodFisc",    "txtSport"},
    {"txtSport",      "Attività sportiva:",           Sport,      "effSport",      "txtDal"},
    {"txtDal",        "Data inizio (gg/mm/aaaa):",    Dal,        "effDal",        "txtPraticante"},
    {"txtPraticante", "Praticante:",                  Praticante, "effPraticante", "txtDataNasc"},
    {"txtDataNasc",   "Data di nascita:",             DataNasc,   "effDataNasc",   "txtLuogoNasc"},
    {"txtLuogoNasc",  "Luogo di nascita:",            LuogoNasc,  "effLuogoNasc",  "txtIndirizzo"},
    {"txtIndirizzo",  "Indirizzo:",                   Indirizzo,  "effIndirizzo",  "txtNumRic"},
}};
// clang-format on

namespace {

constexpr RecordLayout kLayout(kFields);

const LineBuilder &builder()
{
    static const LineBuilder lines(kLayout, linePieces());
    return lines;
}

} // namespace

const std::vector<LinePiece> &linePieces()
{
    // clang-format off
    static const std::vector<LinePiece> pieces = {
        {-1, 0, "Ric. n. "},
        {NumRic, 12, nullptr},
        {-1, 0, "  Data: "},
        {Data, 10, nullptr},
        {-1, 0, "  "},
        {Pagatore, 26, nullptr},
        {-1, 0, "  Sport: "},
        {Sport, 30, nullptr},
        {-1, 0, "  Dal "},
        {Dal, 10, nullptr},
        {-1, 0, "  Al "},
        {Al, 10, nullptr},
        {-1, 0, "  Tot. € "},
        {Intero, 0, nullptr},
    };
    // clang-format on
    return pieces;
}

QString buildLine(const char *record)
{
    return builder().line(record);
}

QString buildLine(const Record &receipt)
{
    return buildLine(encode(receipt).constData());
}

TextCriteria criteria(const QStringList &texts)
{
    std::vector<int> fields;
    for (const SearchCriterion &c : kCriteria)
        fields.push_back(c.field);
    return TextCriteria(kLayout, fields, texts);
}

bool search(const YearFile &file, const QStringList &texts, KeptRows &rows, QString *error)
{
    rows = KeptRows(builder());
    rows.reserve(QFileInfo(file.path()).size() / kRecordSize);
    const TextCriteria matching = criteria(texts);
    const bool ok = file.scan(
        [&](qint64 index, const char *record) {
            if (matching.matches(record))
                rows.append(index, record);
            return true;
        },
        error);
    if (!ok)
        rows.clear();
    return ok;
}

bool search(const YearFile &file, const QStringList &texts, ListRows &rows, QString *error)
{
    KeptRows kept;
    const bool ok = search(file, texts, kept, error);
    rows = kept.toListRows();
    return ok;
}

} // namespace ReceiptSearch
