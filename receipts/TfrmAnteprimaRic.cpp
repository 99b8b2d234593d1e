#include "receipts/TfrmAnteprimaRic.h"

namespace {
const PrintWindow::Texts kTexts = {
    "TfrmAnteprimaRic",
    " Anteprima di stampa",
    "Mostra anteprima",
    "Anteprima di stampa",
    "Questa operazione consente di visualizzare in anteprima la ricevuta, nelle due copie per il pagatore e "
    "per il ricevente, così come apparirà in stampa.",
    "Fare clic su Mostra anteprima per visualizzare la ricevuta sullo schermo prima di eseguire la stampa su "
    "carta.",
    ":/pictures/anteprima_grande.svg",
    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
    "Accertarsi che la stampante sia configurata correttamente.",
};
} // namespace

TfrmAnteprimaRic::TfrmAnteprimaRic(QWidget *parent) : ReceiptPrintWindow(Output::Preview, kTexts, parent) {}
