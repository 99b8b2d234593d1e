#pragma once

#include "receipts/ReceiptPrintWindow.h"

// Prints the receipt's two copies on one A4 sheet ("Stampa").
class TfrmStampaRic : public ReceiptPrintWindow
{
    Q_OBJECT
public:
    explicit TfrmStampaRic(QWidget *parent = nullptr);
};
