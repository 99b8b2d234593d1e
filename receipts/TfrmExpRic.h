#pragma once

#include "common/ExportWindow.h"

// The receipt export: every receipt of the year file open in the receipt window in a grid (a
// working copy, editable in some columns) and the export of that grid to Ricevute.xls. Only the
// one year is exported; each export replaces the file, whatever its year. One-use window.
class TfrmExpRic : public ExportWindow
{
    Q_OBJECT
public:
    explicit TfrmExpRic(QWidget *parent = nullptr);

    // The year file the grid shows, as the receipt window holds it.
    void setYearFilePath(const QString &path) { m_yearFile = path; }

protected:
    RecordArchive archive() const override;

private:
    QString m_yearFile;
};
