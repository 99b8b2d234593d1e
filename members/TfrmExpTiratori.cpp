#include "members/TfrmExpTiratori.h"

#include "members/MemberExport.h"
#include "records/MemberArchive.h"

namespace {
ExportWindow::Texts texts()
{
    return {QStringLiteral("TfrmExpTiratori"),
            QStringLiteral(" Esportazione archivio iscritti in Microsoft Excel"),
            QStringLiteral("Esportazione archivio iscritti in Microsoft Excel"), MemberExport::kFileName,
            MemberExport::kSheetName};
}
} // namespace

TfrmExpTiratori::TfrmExpTiratori(QWidget *parent)
    : ExportWindow(texts(), Member::layout(), {MemberExport::kColumns.begin(), MemberExport::kColumns.end()},
                   parent)
{
}

RecordArchive TfrmExpTiratori::archive() const
{
    return MemberArchive::archive();
}
