#pragma once

#include "common/SearchWindow.h"
#include "members/MemberSearch.h"

class MemberChoiceTarget;

// The member search: up to ten criteria on the first page, the members found on the second.
// Opened by the member sheet ("tiratori"), the card window ("tessera") and the receipt window
// ("ricevuta"); a double click on a member hands it to the opener (a MemberChoiceTarget) and
// closes. Only those three caller contexts hand the member over.
class TfrmTrovaTiratori : public SearchWindow
{
    Q_OBJECT
public:
    explicit TfrmTrovaTiratori(QWidget *parent = nullptr);

    // Where a chosen member goes; by default the opener, when it takes members.
    void setTarget(MemberChoiceTarget *target) { m_target = target; }

protected:
    bool findRows(const QStringList &texts, ListRows &rows) override;
    // Hands the record at `index` to the target, as the caller context says.
    void openRow(qint64 index) override;

private:
    MemberChoiceTarget *m_target = nullptr;
};
