#pragma once

#include "common/SpreadsheetExportFlow.h"

#include <QDialog>

class PictureButton;
class QLabel;
class QTableWidget;

// The member archive export: every member record in a grid (a working copy that may be edited in
// some columns) and the export of that grid to Archivio_Iscritti.xls. One-use window.
class TfrmExpTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmExpTiratori(QWidget *parent = nullptr);

    // Reads the member archive into the grid (done each time the window is shown).
    void fillGrid();
    // The grid as it is now, as an export.
    SpreadsheetExport exportTable() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    QTableWidget *grdRecords;
    QLabel *panInfo;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;
    bool m_hasRecords = false;
};
