#pragma once

#include "records/ReceiptRecord.h"
#include "reports/PrintWindow.h"

#include <QImage>

// What the receipt's preview and print windows share: the small print window filled with the
// receipt page. They take the receipt logo when shown and print the receipt their opener gives
// them: the texts the receipt window shows at that moment, saved or not. Printing changes nothing.
class ReceiptPrintWindow : public PrintWindow
{
    Q_OBJECT
public:
    void setReceipt(const Receipt::Record &receipt) { m_receipt = receipt; }
    const Receipt::Record &receipt() const { return m_receipt; }
    // The logo the window loaded when it was shown.
    const QImage &logo() const { return m_logo; }

protected:
    ReceiptPrintWindow(Output output, const Texts &texts, QWidget *parent);

private:
    Receipt::Record m_receipt;
    QImage m_logo;
};
