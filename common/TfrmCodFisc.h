#pragma once

#include "common/TaxIdCheckWindow.h"

// The tax code check: tells whether a 16-character Italian tax code has the right check character.
// One-use window; the result is only reported, nothing is written back to the caller.
class TfrmCodFisc : public TaxIdCheckWindow
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);

    // Puts the code to check into txtCodFisc (trimmed and upper-cased as if typed).
    void setCode(const QString &code);

private:
    void check() override;
};

// Opens the tax code check for one use over `caller`, modally, with `code` in its field.
void openTaxCodeCheck(QWidget *caller, const QString &code);

// What the tax code button beside a tax code field does with the field's text: a text of digits
// only opens the VAT number check with it; anything else (letters, or nothing at all) the tax code
// check.
void openTaxIdCheck(QWidget *caller, const QString &text);
