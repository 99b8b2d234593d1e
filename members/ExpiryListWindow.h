#pragma once

#include "members/MemberSearch.h"

#include <QDialog>

class ListPanel;
class MemberChoiceTarget;
class QLabel;

// An expiry list window: the banner, the member list built from today's date each time it is
// shown, and a double click that hands the member of that row to the target its opener gives.
class ExpiryListWindow : public QDialog
{
    Q_OBJECT
public:
    ExpiryListWindow(const MemberSearch::ExpiryListInfo &list, const QString &objectName,
                     const QString &caption, QWidget *parent);

    ListPanel *panel() const { return m_panel; }
    // Where a double-clicked member goes (the member sheet); without one nothing is handed over.
    void setTarget(MemberChoiceTarget *target) { m_target = target; }
    // Builds the list for `today` (the window does it with the local date when shown).
    void buildList(const QDate &today);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const MemberSearch::ExpiryListInfo &m_list;
    QLabel *m_banner;
    ListPanel *m_panel;
    MemberChoiceTarget *m_target = nullptr;
};
