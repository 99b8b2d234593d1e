#pragma once

#include "records/MemberRecord.h"
#include "reports/PrintWindow.h"

#include <QImage>

// What the member sheet's preview and print windows print: the sheet on show, saved or not.
class MemberSheetSource
{
public:
    virtual ~MemberSheetSource() = default;
    // The sheet's entry fields and attachment labels as they stand.
    virtual Member::Record sheetRecord() const = 0;
    // The sheet's photo (null when there is none).
    virtual QImage photo() const = 0;
};

// The member sheet's preview and print windows: the small print window filled with the member
// sheet page. They take the sheet's photo when shown and, on their main button, the fields the
// sheet shows at that moment. The opener gives them the sheet before showing them.
class MemberSheetDialog : public PrintWindow
{
    Q_OBJECT
public:
    void setSheet(const MemberSheetSource *sheet) { m_sheet = sheet; }
    // The photo the window took from the sheet when it was shown.
    const QImage &photo() const { return m_photo; }

protected:
    MemberSheetDialog(Output output, const Texts &texts, QWidget *parent);

private:
    const MemberSheetSource *m_sheet = nullptr;
    QImage m_photo;
};
