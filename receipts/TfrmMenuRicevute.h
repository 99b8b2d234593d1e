#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The receipt year menu: the way into the receipts work area. The user types a four-digit year
// and "Apri" hands that year's file to the receipt window. Long-lived: created at start, shown
// from the main menu; on closing it shows the receipt window when a year was opened, the main
// menu otherwise.
class TfrmMenuRicevute : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMenuRicevute(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void btnApriPreventiviClick();
    void imgGuidaClick();

    QLineEdit *txtAnnoPreventivi;
    QPushButton *btnApriPreventivi;
};
