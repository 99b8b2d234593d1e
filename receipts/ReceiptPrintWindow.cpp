#include "receipts/ReceiptPrintWindow.h"

#include "receipts/ReceiptLogo.h"
#include "receipts/ReceiptPage.h"

ReceiptPrintWindow::ReceiptPrintWindow(Output output, const Texts &texts, QWidget *parent)
    : PrintWindow(output, texts, parent)
{
    // No buttons in the title bar: the window closes by its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setOnShow([this] { m_logo = ReceiptLogo::load(); });
    setPrepare([this](Reports::PreparedReport *out, QString *error) {
        return ReceiptPage::prepare(m_receipt, m_logo, out, error);
    });
}
