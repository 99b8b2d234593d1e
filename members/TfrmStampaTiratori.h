#pragma once

#include "members/MemberSheetDialog.h"

// Prints the member on the sheet through the print dialog ("Stampa").
class TfrmStampaTiratori : public MemberSheetDialog
{
    Q_OBJECT
public:
    explicit TfrmStampaTiratori(QWidget *parent = nullptr);
};
