#include "members/TfrmTrovaTiratori.h"

#include "common/CallerContext.h"
#include "members/MemberArchive.h"
#include "members/MemberChoiceTarget.h"

namespace {

SearchWindow::Texts texts()
{
    SearchWindow::Texts t;
    t.objectName = QStringLiteral("TfrmTrovaTiratori");
    t.caption = QStringLiteral(" Trova schede iscritti in archivio");
    t.list.doubleClick = QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda");
    t.list.countLine = QStringLiteral("Il presente riepilogo contiene %1 schede");
    t.list.page.title = QStringLiteral("Riepilogo schede iscritti");
    t.accessMessage = MemberArchive::accessMessage();
    t.resultsTitle = nullptr;
    return t;
}

} // namespace

TfrmTrovaTiratori::TfrmTrovaTiratori(QWidget *parent)
    : SearchWindow(
          texts(),
          std::vector<SearchCriterion>(MemberSearch::kCriteria.begin(), MemberSearch::kCriteria.end()),
          parent)
{
}

bool TfrmTrovaTiratori::findRows(const QStringList &texts, ListRows &rows)
{
    return MemberSearch::search(MemberSearch::Criteria(texts), rows);
}

void TfrmTrovaTiratori::openRow(qint64 index)
{
    // The member sheet, the card window and the receipt window take the member, each its own way.
    static const QStringList contexts = {QStringLiteral("tiratori"), QStringLiteral("tessera"),
                                         QStringLiteral("ricevuta")};
    if (contexts.contains(callerContext(this)))
        handMember(memberChoiceTarget(m_target, parentWidget()), index);
}
