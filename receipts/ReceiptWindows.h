#pragma once

class TfrmRicevuta;

// The one-use windows that the receipt window's buttons open over it: the receipt search (Trova),
// the preview (Anteprima), the print window (Stampa) and the export (Esporta). Each creates its
// window over `receiptWindow`, shows it modally and destroys it when it closes.
void openReceiptSearch(TfrmRicevuta *receiptWindow);
void openReceiptPreview(TfrmRicevuta *receiptWindow);
void openReceiptPrint(TfrmRicevuta *receiptWindow);
void openReceiptExport(TfrmRicevuta *receiptWindow);
