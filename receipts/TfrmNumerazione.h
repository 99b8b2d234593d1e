#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The numbering window: sets the start number of the automatic receipt numbering (the number the
// first receipt of an empty year file gets), kept in Ricevute_Generiche.ini. One-use window opened
// by the receipt window with the caller context "ricevute"; under any other context it neither
// reads nor writes the start number.
class TfrmNumerazione : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmNumerazione(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtInizioExit();
    void btnApplicaClick();

    QLineEdit *txtInizio;
    QPushButton *btnAnnulla;
    QPushButton *btnApplica;
};
