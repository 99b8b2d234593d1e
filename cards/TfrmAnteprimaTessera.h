#pragma once

#include "cards/CardPage.h"
#include "reports/PrintWindow.h"

// The card preview: shows the card its caller handed it in the report preview, always on a
// portrait page without margins. One-use window.
class TfrmAnteprimaTessera : public PrintWindow
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaTessera(QWidget *parent = nullptr);

    // The card to show, as the card window shows it.
    void setCard(const CardPage::Content &card) { m_card = card; }

private:
    CardPage::Content m_card;
};
