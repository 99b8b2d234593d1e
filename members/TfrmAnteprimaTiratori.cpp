#include "members/TfrmAnteprimaTiratori.h"

namespace {
const MemberSheetDialog::Texts kTexts = {
    "TfrmAnteprimaTiratori",
    " Anteprima di stampa",
    "Mostra anteprima",
    "Anteprima di stampa",
    "Questa operazione consente di visualizzare in anteprima i dati che appariranno in stampa.",
    "Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di eseguire la "
    "stampa su carta.",
    ":/pictures/anteprima_grande.svg",
    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
    "Si consiglia di ridurre le dimensioni della foto.",
};
} // namespace

TfrmAnteprimaTiratori::TfrmAnteprimaTiratori(QWidget *parent)
    : MemberSheetDialog(Output::Preview, kTexts, parent)
{
}
