#pragma once

#include "cards/CardPage.h"
#include "reports/PrintWindow.h"

class QLineEdit;
class QRadioButton;

// Card printing: the page orientation and the top and left margins that move the card on the
// page to suit the printer, remembered in Tesserini.ini when the user prints. Prints the card its
// caller handed it. One-use window.
class TfrmStampaTessera : public PrintWindow
{
    Q_OBJECT
public:
    explicit TfrmStampaTessera(QWidget *parent = nullptr);

    // The card to print, as the card window shows it.
    void setCard(const CardPage::Content &card) { m_card = card; }

private:
    void stepMargin(QLineEdit *field, int step);
    // The margins and the orientation on show into Tesserini.ini.
    void saveSettings();
    bool prepareCard(Reports::PreparedReport *out, QString *error);

    CardPage::Content m_card;
    QRadioButton *m_optVerticale = nullptr;
    QRadioButton *m_optOrizzontale = nullptr;
    QLineEdit *m_txtTop = nullptr;
    QLineEdit *m_txtLeft = nullptr;
};
