#include "common/ExportWindow.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/TfrmGuida.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kInitialRows = 10;
constexpr int kRowHeight = 21;

// Columns that may not be changed on screen, also in the empty rows that have no items yet.
class ReadOnlyDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return nullptr;
    }
};

PictureButton *toolButton(const QString &name, const QString &picture, QWidget *parent)
{
    auto *b = new PictureButton(QStringLiteral(":/pictures/") + picture + QStringLiteral(".svg"),
                                QSize(48, 48), parent);
    b->setObjectName(name);
    b->setClickable(true);
    b->setFixedSize(56, 56);
    return b;
}

} // namespace

ExportWindow::ExportWindow(const Texts &texts, std::vector<ExportColumn> columns, QWidget *parent)
    : QDialog(parent), m_texts(texts), m_columns(std::move(columns))
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    addCallerContextLabel(this);
    resize(1000, 620);

    cmdEsporta = toolButton(QStringLiteral("cmdEsporta"), QStringLiteral("esporta"), this);
    cmdGuida = toolButton(QStringLiteral("cmdGuida"), QStringLiteral("guida"), this);
    cmdEsci = toolButton(QStringLiteral("cmdEsci"), QStringLiteral("esci"), this);

    const int columnCount = int(m_columns.size());
    grdRecords = new QTableWidget(kInitialRows, columnCount, this);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setAlternatingRowColors(true);
    grdRecords->verticalHeader()->hide(); // column 0 numbers the rows
    grdRecords->verticalHeader()->setMinimumSectionSize(10);
    grdRecords->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    auto *readOnly = new ReadOnlyDelegate(grdRecords);
    QStringList headers;
    for (int c = 0; c < columnCount; ++c) {
        const ExportColumn &col = m_columns[size_t(c)];
        headers << QString::fromUtf8(col.gridHeader);
        grdRecords->setColumnWidth(c, col.gridWidth);
        if (!col.editable)
            grdRecords->setItemDelegateForColumn(c, readOnly);
    }
    grdRecords->setHorizontalHeaderLabels(headers);

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
    if (!event->spontaneous())
        fillGrid();
}

void ExportWindow::fillGrid()
{
    const RecordArchive source = archive();
    const qint64 records = source.count();
    m_hasRecords = records > 0;
    if (!m_hasRecords)
        return; // the initial empty rows stay
    grdRecords->setUpdatesEnabled(false);
    grdRecords->clearContents();
    grdRecords->setRowCount(int(records));
    qint64 filled = 0;
    source.scan([&](qint64 index, const char *record) {
        if (index >= records)
            return false; // grown since it was counted
        const int row = int(index);
        for (int c = 0; c < int(m_columns.size()); ++c) {
            const ExportColumn &col = m_columns[size_t(c)];
            auto *item = new QTableWidgetItem(
                col.field < 0 ? QString::number(index + 1) : decodeField(source.layout(), record, col.field));
            if (!col.editable)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grdRecords->setItem(row, c, item);
        }
        filled = index + 1;
        return true;
    });
    // A read that failed part way keeps the rows read, without empty rows for the others.
    m_hasRecords = filled > 0;
    grdRecords->setRowCount(m_hasRecords ? int(filled) : kInitialRows);
    grdRecords->setUpdatesEnabled(true);
}

SpreadsheetExport ExportWindow::exportTable() const
{
    SpreadsheetExport table;
    table.fileName = m_texts.fileName;
    table.sheetName = m_texts.sheetName;
    table.columns = exportedColumns(m_columns.data(), int(m_columns.size()));
    table.rowCount = m_hasRecords ? grdRecords->rowCount() : 0;
    QList<int> gridColumns;
    for (int i = 0; i < table.columns.size(); ++i)
        gridColumns << gridColumnOf(m_columns.data(), int(m_columns.size()), i);
    const QTableWidget *grid = grdRecords;
    table.cell = [grid, gridColumns](qsizetype row, int column) {
        const QTableWidgetItem *item = grid->item(int(row), gridColumns[column]);
        return item ? item->text() : QString();
    };
    return table;
}

void ExportWindow::cmdEsportaClick()
{
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
