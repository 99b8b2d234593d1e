#include "receipts/ReceiptWindows.h"

#include "common/CallerContext.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmStampaRic.h"
#include "receipts/TfrmTrovaRic.h"

void openReceiptSearch(TfrmRicevuta *receiptWindow)
{
    if (!receiptWindow)
        return;
    TfrmTrovaRic search(receiptWindow);
    setCallerContext(&search, QStringLiteral("ricevuta"));
    search.setYearFilePath(receiptWindow->yearFilePath());
    // The receipt of the row double-clicked, which the receipt window then treats as stored.
    search.setOpenReceipt([receiptWindow](qint64 index, const Receipt::Record &receipt) {
        receiptWindow->showReceipt(index, receipt);
    });
    search.exec();
}

namespace {
// The preview and print windows print the receipt as the window shows it now, saved or not.
void openReceiptPrintWindow(ReceiptPrintWindow &window, const TfrmRicevuta *receiptWindow)
{
    window.setReceipt(receiptWindow->currentReceipt());
    window.exec();
}
} // namespace

void openReceiptPreview(TfrmRicevuta *receiptWindow)
{
    if (!receiptWindow)
        return;
    TfrmAnteprimaRic preview(receiptWindow);
    openReceiptPrintWindow(preview, receiptWindow);
}

void openReceiptPrint(TfrmRicevuta *receiptWindow)
{
    if (!receiptWindow)
        return;
    TfrmStampaRic print(receiptWindow);
    openReceiptPrintWindow(print, receiptWindow);
}

void openReceiptExport(TfrmRicevuta *receiptWindow)
{
    if (!receiptWindow)
        return;
    TfrmExpRic exporter(receiptWindow);
    exporter.setYearFilePath(receiptWindow->yearFilePath());
    exporter.exec();
}
