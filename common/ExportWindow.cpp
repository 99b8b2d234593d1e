#include "common/ExportWindow.h"

#include "common/BackgroundWork.h"
#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/RecordTable.h"
#include "common/SystemError.h"
#include "common/TfrmGuida.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <cerrno>

namespace {

constexpr int kInitialRows = 10;
constexpr int kRowHeight = 21;

PictureButton *toolButton(const QString &name, const QString &picture, const QString &spoken, QWidget *parent)
{
    auto *b = new PictureButton(QStringLiteral(":/pictures/") + picture + QStringLiteral(".svg"),
                                QSize(48, 48), parent);
    b->setObjectName(name);
    b->setClickable(true, spoken);
    b->setFixedSize(56, 56);
    return b;
}

} // namespace

ExportWindow::ExportWindow(const Texts &texts, const RecordLayout &recordLayout,
                           std::vector<ExportColumn> columns, QWidget *parent)
    : QDialog(parent), m_texts(texts), m_columns(std::move(columns))
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    addCallerContextLabel(this);
    resize(1000, 620);

    cmdEsporta =
        toolButton(QStringLiteral("cmdEsporta"), QStringLiteral("esporta"), QStringLiteral("Esporta"), this);
    cmdGuida = toolButton(QStringLiteral("cmdGuida"), QStringLiteral("guida"), QStringLiteral("Guida"), this);
    cmdEsci = toolButton(QStringLiteral("cmdEsci"), QStringLiteral("esci"), QStringLiteral("Esci"), this);

    QList<RecordTable::Column> tableColumns;
    for (const ExportColumn &col : m_columns)
        tableColumns.append({QString::fromUtf8(col.gridHeader), col.field, col.editable});
    m_table = new RecordTable(recordLayout, tableColumns, kInitialRows, this);
    grdRecords = new QTableView(this);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setAccessibleName(QStringLiteral("Archivio da esportare"));
    // The arrows move from cell to cell; Tab leaves the grid for the buttons.
    grdRecords->setTabKeyNavigation(false);
    grdRecords->setModel(m_table);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->verticalHeader()->hide(); // column 0 numbers the rows
    grdRecords->verticalHeader()->setMinimumSectionSize(10);
    grdRecords->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    for (int c = 0; c < int(m_columns.size()); ++c)
        grdRecords->setColumnWidth(c, m_columns[size_t(c)].gridWidth);

    panInfo = new QLabel(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFrameShape(QFrame::StyledPanel);
    panInfo->setMinimumHeight(26);
    panInfo->setStyleSheet(
        QStringLiteral("QLabel#panInfo { background: %1; color: %2; padding-left: 6px; }")
            .arg(Conventions::kInfoBarColour.name(), Conventions::kInfoBarTextColour.name()));

    auto *tools = new QHBoxLayout;
    tools->setSpacing(6);
    tools->addWidget(cmdEsporta);
    tools->addWidget(cmdGuida);
    tools->addStretch(1);
    tools->addWidget(cmdEsci);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(grdRecords, 1);
    layout->addWidget(panInfo);

    Conventions::setupInfoBar(
        panInfo, QStringLiteral("Esportazione archivio in Microsoft Excel."),
        {{cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
         {cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
         {cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro.")}},
        {this, grdRecords, grdRecords->viewport(), panInfo});

    connect(cmdEsporta, &PictureButton::clicked, this, &ExportWindow::cmdEsportaClick);
    connect(cmdGuida, &PictureButton::clicked, this, &ExportWindow::cmdGuidaClick);
    connect(cmdEsci, &PictureButton::clicked, this, &ExportWindow::cmdEsciClick);
}

void ExportWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Placement::centreOn(this, parentWidget());
    if (QFileInfo(archive().path()).size() > kReadInBackground)
        fillGridInBackground();
    else
        fillGrid();
}

void ExportWindow::fillGrid()
{
    RecordBlock records;
    readRecords(archive(), records);
    showRecords(records);
}

void ExportWindow::fillGridInBackground()
{
    if (m_filling)
        return;
    auto records = std::make_shared<RecordBlock>();
    const RecordArchive source = archive();
    m_filling = new BackgroundWork(
        this, QStringLiteral("Lettura dell'archivio in corso..."),
        [source, records](ReadProgress &progress) { readRecords(source, *records, &progress); },
        [this, records] {
            m_filling->deleteLater();
            showRecords(std::move(*records));
        });
}

bool ExportWindow::isFilling() const
{
    return m_filling && m_filling->isRunning();
}

void ExportWindow::showRecords(RecordBlock records)
{
    // An archive that cannot be read, or has no records, leaves the grid as it was.
    if (!records.isEmpty())
        m_table->setRecords(std::move(records));
}

SpreadsheetExport ExportWindow::exportTable() const
{
    SpreadsheetExport table;
    table.fileName = m_texts.fileName;
    table.sheetName = m_texts.sheetName;
    table.columns = exportedColumns(m_columns.data(), int(m_columns.size()));
    // An empty archive exports the header row only, not the grid's empty starting rows.
    table.rowCount = m_table->recordCount();
    QList<int> gridColumns;
    for (int i = 0; i < table.columns.size(); ++i)
        gridColumns << gridColumnOf(m_columns.data(), int(m_columns.size()), i);
    const RecordTable *grid = m_table;
    table.cell = [grid, gridColumns](qsizetype row, int column) {
        return grid->text(int(row), gridColumns[column]);
    };
    table.readError = [grid] { return grid->unreadable() ? SystemError::text(EIO) : QString(); };
    return table;
}

void ExportWindow::cmdEsportaClick()
{
    if (isFilling())
        return; // the grid is not whole yet
    // A cell still being typed in is taken as it stands: moving the focus commits its editor.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus != grdRecords && grdRecords->isAncestorOf(focus))
        grdRecords->setFocus();
    runSpreadsheetExport(this, exportTable());
}

void ExportWindow::cmdGuidaClick()
{
    showHelpTopic(this, m_texts.helpTopic);
}

void ExportWindow::cmdEsciClick()
{
    close();
}
