#include "receipts/TfrmTrovaRic.h"

#include "common/CallerContext.h"
#include "receipts/ReceiptRules.h"
#include "receipts/ReceiptSearch.h"
#include "records/YearFile.h"

namespace {

SearchWindow::Texts texts()
{
    SearchWindow::Texts t;
    t.objectName = QStringLiteral("TfrmTrovaRic");
    t.caption = QStringLiteral(" Trova ricevute in archivio");
    t.list.doubleClick = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda");
    t.list.initialCountLine = QStringLiteral("Il presente riepilogo contiene 0 schede");
    t.list.countLine = QStringLiteral("Il presente elenco contiene %1 schede.");
    t.list.page.title = QStringLiteral("Riepilogo ricevute emesse");
    t.accessMessage = Receipt::accessMessage();
    t.resultsTitle = ":/pictures/banner_liste.svg";
    return t;
}

} // namespace

TfrmTrovaRic::TfrmTrovaRic(QWidget *parent)
    : SearchWindow(
          texts(),
          std::vector<SearchCriterion>(ReceiptSearch::kCriteria.begin(), ReceiptSearch::kCriteria.end()),
          parent)
{
}

bool TfrmTrovaRic::findRows(const QStringList &texts, KeptRows &rows)
{
    return ReceiptSearch::search(YearFile(m_yearFile), texts, rows);
}

QString TfrmTrovaRic::archivePath() const
{
    return m_yearFile;
}

void TfrmTrovaRic::openRow(qint64 index)
{
    if (!m_openReceipt)
        return;
    Receipt::Record receipt;
    if (YearFile(m_yearFile).read(index, receipt))
        m_openReceipt(index, receipt);
}
