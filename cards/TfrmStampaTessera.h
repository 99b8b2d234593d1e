#pragma once

#include "cards/CardPage.h"
#include "cards/CardSettings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Card printing: the page orientation and the top and left margins that move the card on the
// page to suit the printer, remembered in Tesserini.ini when the user prints. Prints the card its
// caller handed it. One-use window.
class TfrmStampaTessera : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmStampaTessera(QWidget *parent = nullptr);

    // The card to print, as the card window shows it.
    void setContent(const CardPage::Content &content);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void stepMargin(QLineEdit *field, int step);
    // The margins and the orientation on show into Tesserini.ini.
    void saveSettings();
    void btnStampaClick();

    CardPage::Content m_content;
    QRadioButton *m_optVerticale;
    QRadioButton *m_optOrizzontale;
    QLineEdit *m_txtTop;
    QLineEdit *m_txtLeft;
    QLabel *m_lblAttendere;
    QPushButton *m_btnAnnulla;
    QPushButton *m_btnStampa;
};
