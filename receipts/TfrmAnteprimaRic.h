#pragma once

#include "receipts/ReceiptPrintWindow.h"

// Shows the receipt's two copies in the report preview ("Mostra anteprima").
class TfrmAnteprimaRic : public ReceiptPrintWindow
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaRic(QWidget *parent = nullptr);
};
