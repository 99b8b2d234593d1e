#include "receipts/TfrmExpRic.h"

#include "common/TextUtil.h"
#include "receipts/ReceiptExport.h"
#include "records/ReceiptRecord.h"

namespace {
ExportWindow::Texts texts()
{
    return {QStringLiteral("TfrmExpRic"), QStringLiteral(" Esporta archivio ricevute in Microsoft Excel"),
            QStringLiteral("Esportazione archivio ricevute in Microsoft Excel"), ReceiptExport::kFileName,
            ReceiptExport::kSheetName};
}
} // namespace

TfrmExpRic::TfrmExpRic(QWidget *parent)
    : ExportWindow(texts(), Receipt::layout(),
                   {ReceiptExport::kColumns.begin(), ReceiptExport::kColumns.end()}, parent)
{
}

RecordArchive TfrmExpRic::archive() const
{
    return RecordArchive(trimBlanks(m_yearFile), RecordLayout(Receipt::kFields));
}
