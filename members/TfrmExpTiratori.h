#pragma once

#include "common/ExportWindow.h"

// The member archive export: every member record in a grid (a working copy that may be edited in
// some columns) and the export of that grid to Archivio_Iscritti.xls. One-use window.
class TfrmExpTiratori : public ExportWindow
{
    Q_OBJECT
public:
    explicit TfrmExpTiratori(QWidget *parent = nullptr);

protected:
    RecordArchive archive() const override;
};
