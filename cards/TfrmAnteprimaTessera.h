#pragma once

#include "cards/CardPage.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The card preview: shows the card its caller handed it in the report preview, always on a
// portrait page without margins. One-use window.
class TfrmAnteprimaTessera : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaTessera(QWidget *parent = nullptr);

    // The card to show, as the card window shows it.
    void setContent(const CardPage::Content &content);

private:
    void btnStampaClick();

    CardPage::Content m_content;
    QLabel *m_lblAttendere;
    QPushButton *m_btnAnnulla;
    QPushButton *m_btnStampa;
};
