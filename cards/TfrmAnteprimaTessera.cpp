#include "cards/TfrmAnteprimaTessera.h"

namespace {
const PrintWindow::Texts kTexts = {
    "TfrmAnteprimaTessera",
    " Anteprima di stampa",
    "Mostra anteprima",
    "Anteprima di stampa",
    "Questa operazione consente di visualizzare sullo schermo i dati che appariranno in stampa.",
    "Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di eseguire la "
    "stampa su carta.",
    ":/pictures/anteprima_grande.svg",
    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
    "Accertarsi che la stampante sia configurata correttamente.",
};
} // namespace

TfrmAnteprimaTessera::TfrmAnteprimaTessera(QWidget *parent) : PrintWindow(Output::Preview, kTexts, parent)
{
    setBusyText(QStringLiteral("Elaborazione in corso. Attendere..."));
    // Always a portrait page without margins, whatever the print settings say.
    setPrepare([this](Reports::PreparedReport *out, QString *error) {
        return CardPage::prepare(CardPage::Copy::Preview, m_card, QPageLayout::Portrait, QMarginsF(), out,
                                 error);
    });
}
