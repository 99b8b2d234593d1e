#pragma once

#include "common/TaxIdCheckWindow.h"

// The VAT number check: tells whether an 11-digit Italian VAT number has the right check digit
// and, when it has, which provincial VAT office issued it. One-use window; the result is only
// reported, nothing is written back to the caller.
class TfrmPartitaIva : public TaxIdCheckWindow
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);

    // Puts the number to check into txtPartitaIva.
    void setNumber(const QString &number);

private:
    void check() override;
};

// Opens the VAT number check for one use over `caller`, modally, with `number` in its field.
void openVatNumberCheck(QWidget *caller, const QString &number);
