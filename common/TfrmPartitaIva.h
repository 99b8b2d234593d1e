#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The VAT number check: tells whether an 11-digit Italian VAT number has the right check digit
// and, when it has, which provincial VAT office issued it. One-use window; the result is only
// reported, nothing is written back to the caller.
class TfrmPartitaIva : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);

    // Puts the number to check into txtPartitaIva.
    void setNumber(const QString &number);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnControllaClick();

    QLineEdit *txtPartitaIva;
    QPushButton *btnControlla;
    QPushButton *btnChiudi;
};

// Opens the VAT number check for one use over `caller`, modally, with `number` in its field.
void openVatNumberCheck(QWidget *caller, const QString &number);
