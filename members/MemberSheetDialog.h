#pragma once

#include "reports/PrintWindow.h"

#include <QImage>

// The member sheet's preview and print windows: the small print window filled with the member
// sheet page. They take the sheet's photo when shown and, on their main button, the fields the
// sheet shows at that moment. The parent is the member sheet (TfrmTiratori).
class MemberSheetDialog : public PrintWindow
{
    Q_OBJECT
public:
    // The photo the window took from the sheet when it was shown.
    const QImage &photo() const { return m_photo; }

protected:
    MemberSheetDialog(Output output, const Texts &texts, QWidget *parent);

private:
    QImage m_photo;
};
