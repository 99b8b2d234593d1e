#include "members/MemberSheetDialog.h"

#include "common/ResourceImage.h"
#include "members/MemberSheetPage.h"

namespace {
const QSize kFallbackSize(297, 184);
} // namespace

MemberSheetDialog::MemberSheetDialog(Output output, const Texts &texts, QWidget *parent)
    : PrintWindow(output, texts, parent)
{
    setOnShow([this] {
        m_photo = m_sheet ? m_sheet->photo() : QImage();
        if (m_photo.isNull())
            m_photo = resourceImage(QStringLiteral(":/pictures/foto_fallback.svg"), kFallbackSize);
    });
    setPrepare([this](Reports::PreparedReport *out, QString *error) {
        if (!m_sheet) {
            *error = QStringLiteral("La finestra non è stata aperta dalla scheda iscritto.");
            return false;
        }
        return MemberSheetPage::prepare(m_sheet->sheetRecord(), m_photo, out, error);
    });
}
