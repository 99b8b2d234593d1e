#pragma once

#include "members/MemberSheetDialog.h"

// Shows the member on the sheet in the print preview ("Mostra anteprima").
class TfrmAnteprimaTiratori : public MemberSheetDialog
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaTiratori(QWidget *parent = nullptr);
};
