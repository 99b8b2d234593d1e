#pragma once

#include "members/MemberSearch.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class ListPanel;
class MemberChoiceTarget;

// The member search: up to ten criteria on the first page, the members found on the second.
// Opened by the member sheet ("tiratori"), the card window ("tessera") and the receipt window
// ("ricevuta"); a double click on a member hands it to the opener (a MemberChoiceTarget) and
// closes. Only those three caller contexts hand the member over.
class TfrmTrovaTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTrovaTiratori(QWidget *parent = nullptr);

    ListPanel *resultPanel() const { return m_panContainer; }
    // Where a chosen member goes; by default the opener, when it takes members.
    void setTarget(MemberChoiceTarget *target) { m_target = target; }

    // "Cerca": lists the members every filled criterion matches and shows the results page;
    // on an archive failure, the access message and the criteria page stays.
    void search();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Hands the record at `index` to the target, as the caller context says.
    void openRow(qint64 index);

    QWidget *m_panAvvio;
    std::array<QLineEdit *, MemberSearch::kCriterionCount> m_criteria{};
    QPushButton *m_btnCerca;
    QPushButton *m_btnAnnulla;
    QLabel *m_lblAttendere;
    ListPanel *m_panContainer;
    MemberChoiceTarget *m_target = nullptr;
};
