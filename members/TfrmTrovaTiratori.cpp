#include "members/TfrmTrovaTiratori.h"

#include "common/CallerContext.h"
#include "records/MemberArchive.h"

#include <QPointer>

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

bool TfrmTrovaTiratori::findRows(const QStringList &texts, KeptRows &rows)
{
    return MemberSearch::search(MemberSearch::Criteria(texts), rows);
}

QString TfrmTrovaTiratori::archivePath() const
{
    return MemberArchive::filePath();
}

void TfrmTrovaTiratori::openRow(qint64 index)
{
    handMember(m_target, index);
}

void openMemberSearch(QWidget *opener, const QString &context, MemberChoiceTarget &target)
{
    QPointer<TfrmTrovaTiratori> search = new TfrmTrovaTiratori(opener);
    setCallerContext(search, context);
    search->setTarget(&target);
    search->exec();
    delete search.data();
}
