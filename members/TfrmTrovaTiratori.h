#pragma once

#include "members/MemberSearch.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class MemberListPanel;

// The member search: up to ten criteria on the first page, the members found on the second.
// Opened by the member sheet ("tiratori"), the card window ("tessera") and the receipt window
// ("ricevuta"); a double click on a member writes it into the opener's fields and closes.
class TfrmTrovaTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTrovaTiratori(QWidget *parent = nullptr);

    MemberListPanel *resultPanel() const { return m_panContainer; }

    // "Cerca": lists the members every filled criterion matches and shows the results page;
    // on an archive failure, the access message and the criteria page stays.
    void search();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Writes one chosen record into the opener, as its caller context says.
    void fillCaller(qint64 index, const Member::Record &record);

    QWidget *m_panAvvio;
    std::array<QLineEdit *, MemberSearch::kCriterionCount> m_criteria{};
    QPushButton *m_btnCerca;
    QPushButton *m_btnAnnulla;
    QLabel *m_lblAttendere;
    MemberListPanel *m_panContainer;
};
