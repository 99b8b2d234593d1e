#include "receipts/TfrmStampaRic.h"

namespace {
const PrintWindow::Texts kTexts = {
    "TfrmStampaRic",
    " Stampa ricevuta",
    "Stampa",
    "Stampa ricevuta",
    "Questa operazione provvederà a stampare su carta la ricevuta in duplice copia, per il pagatore e per il "
    "ricevente, con i dati immessi nei campi di testo.",
    "Premere il pulsante Stampa per dare avvio alla stampa su carta oppure premere Annulla per annullare "
    "l'operazione.",
    ":/pictures/stampa_grande.svg",
    "Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
    "Accertarsi che la stampante sia configurata correttamente.",
};
} // namespace

TfrmStampaRic::TfrmStampaRic(QWidget *parent) : ReceiptPrintWindow(Output::Print, kTexts, parent) {}
