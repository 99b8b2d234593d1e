#pragma once

#include "common/RecordArchive.h"
#include "common/SpreadsheetExportFlow.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class BackgroundWork;
class PictureButton;
class QLabel;
class QTableView;
class RecordBlock;
class RecordTable;

// An archive export window (members, receipts): every record of an archive in the grid
// grdRecords, column 0 numbering the rows and the others showing record fields (a working copy,
// editable in some columns, never written back), and the export of the grid as it is to a
// spreadsheet file in the program folder. The picture buttons cmdEsporta, cmdGuida and cmdEsci
// show their hints in the information bar panInfo. One-use window.
//
// The grid is a view over the records read (RecordTable). A very large archive is read on a
// thread of its own when the window shows, with the pointer busy and, when it lasts, a progress
// window that can stop it; the rows read by then stay.
class ExportWindow : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString objectName;
        QString caption;
        QString helpTopic;
        QString fileName; // the exported file, in the program folder
        QString sheetName;
    };

    ExportWindow(const Texts &texts, const RecordLayout &layout, std::vector<ExportColumn> columns,
                 QWidget *parent = nullptr);

    // Reads the archive into the grid (done each time the window is shown). An archive that
    // cannot be opened leaves the grid as it was; one that fails part way keeps the rows read.
    void fillGrid();
    // The same, the reading done on a thread of its own: the grid fills when it has ended.
    void fillGridInBackground();
    // Whether a reading on its own thread is under way.
    bool isFilling() const;
    // The grid as it is now, as an export. An empty archive exports the header row only, not the
    // grid's ten blank starting rows. Should the archive have been cut short behind the grid (or
    // the disk fail) so that cells cannot be read, the export fails with the system's read error.
    SpreadsheetExport exportTable() const;

protected:
    void showEvent(QShowEvent *event) override;

    // The archive the grid shows.
    virtual RecordArchive archive() const = 0;

private:
    void showRecords(RecordBlock records);
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    Texts m_texts;
    std::vector<ExportColumn> m_columns;
    QTableView *grdRecords;
    RecordTable *m_table;
    QPointer<BackgroundWork> m_filling;
    QLabel *panInfo;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;
};
