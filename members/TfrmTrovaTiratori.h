#pragma once

#include "members/MemberSearch.h"
#include "reports/SearchWindow.h"

#include "records/MemberChoiceTarget.h"

// The member search: up to ten criteria on the first page, the members found on the second.
// Opened by the member sheet ("tiratori"), the card window ("tessera") and the receipt window
// ("ricevuta"), each of which gives it the target of the chosen member; a double click on a
// member hands it to that target and closes.
class TfrmTrovaTiratori : public SearchWindow
{
    Q_OBJECT
public:
    explicit TfrmTrovaTiratori(QWidget *parent = nullptr);

    // Where a chosen member goes; without one a double click hands nothing over.
    void setTarget(MemberChoiceTarget *target) { m_target = target; }

protected:
    bool findRows(const QStringList &texts, KeptRows &rows) override;
    QString archivePath() const override;
    // Hands the record at `index` to the target.
    void openRow(qint64 index) override;

private:
    MemberChoiceTarget *m_target = nullptr;
};

// The member search as the windows open it: a fresh one over `opener` with `context` in its
// lblMemory, handing a chosen member to `target`, shown modally and destroyed when it closes.
void openMemberSearch(QWidget *opener, const QString &context, MemberChoiceTarget &target);
