#pragma once

#include "records/MemberRecord.h"
#include "reports/Report.h"

#include <QImage>
#include <vector>

// The one-page A4 member sheet: the name in a title bar, the photo below it and every member field
// in a captioned box (caption bar, caption, value box, value text).
namespace MemberSheetPage {

// One captioned field box, placed from its top-left corner (left, top) in mm with its width. The
// four objects it makes are "shpTit<F>" (caption bar), "tit<F>" (caption), "shp<F>" (value box)
// and the value text named as the member field "txt<F>". A negative offset or width stands for
// the usual one.
struct FieldBox
{
    double top;
    double left;
    double width;
    const char *caption; // UTF-8
    const char *field;
    Qt::Alignment valueAlignment;
    double captionOffset; // caption text below the top of its bar (usually 1)
    double captionWidth;  // usually width - 2
    double valueOffset;   // value text below the top of its box (usually 1.4)
    double valueWidth;    // usually width - 2
};

const std::vector<FieldBox> &fieldBoxes();
const Reports::PageDesign &design();

// Sets the page portrait, the photo into imgLogo and the 26 value texts (the sheet's entry fields
// 0..25 of the record, blanks trimmed at both ends) in record order.
bool fill(Reports::Report &report, const Member::Record &sheet, const QImage &photo,
          QString *error = nullptr);

// A report of the page filled with the sheet and laid out, ready to preview or print.
bool prepare(const Member::Record &sheet, const QImage &photo, Reports::PreparedReport *out,
             QString *error = nullptr);

} // namespace MemberSheetPage
