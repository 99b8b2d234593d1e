#include "members/TfrmStampaTiratori.h"

namespace {
const MemberSheetDialog::Texts kTexts = {
    "TfrmStampaTiratori",
    " Stampa scheda",
    "Stampa",
    "Stampa documento",
    "Questa operazione provvederà a stampare su carta il documento con i dati immessi nei campi di "
    "testo.",
    "Premere il pulsante Stampa per dare avvio alla stampa su carta oppure premere Annulla per "
    "annullare l'operazione.",
    ":/pictures/stampa_grande.svg",
    "Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
    "Si consiglia di ridurre le dimensioni della foto.",
};
} // namespace

TfrmStampaTiratori::TfrmStampaTiratori(QWidget *parent) : MemberSheetDialog(Output::Print, kTexts, parent) {}
