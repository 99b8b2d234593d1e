#include "members/TfrmExpTiratori.h"

#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "members/MemberArchive.h"
#include "members/MemberExport.h"

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
    auto *b = new PictureButton(QStringLiteral(":/pictures/") + picture + QStringLiteral(".svg"), QSize(48, 48),
                                parent);
    b->setObjectName(name);
    b->setClickable(true);
    b->setFixedSize(56, 56);
    return b;
}

} // namespace

TfrmExpTiratori::TfrmExpTiratori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmExpTiratori"));
    setWindowTitle(QStringLiteral(" Esportazione archivio iscritti in Microsoft Excel"));
    addCallerContextLabel(this);
    resize(1000, 620);

    cmdEsporta = toolButton(QStringLiteral("cmdEsporta"), QStringLiteral("esporta"), this);
    cmdGuida = toolButton(QStringLiteral("cmdGuida"), QStringLiteral("guida"), this);
    cmdEsci = toolButton(QStringLiteral("cmdEsci"), QStringLiteral("esci"), this);

    grdRecords = new QTableWidget(kInitialRows, MemberExport::kColumnCount, this);
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
    for (int c = 0; c < MemberExport::kColumnCount; ++c) {
        const MemberExport::Column &col = MemberExport::kColumns[size_t(c)];
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
    panInfo->setStyleSheet(QStringLiteral("QLabel#panInfo { background: #FFFFE1; color: #000080; padding-left: 6px; }"));

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

    Conventions::setupInfoBar(panInfo, QStringLiteral("Esportazione archivio in Microsoft Excel."),
                              {{cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
                               {cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
                               {cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro.")}},
                              {this, grdRecords, grdRecords->viewport(), panInfo});

    connect(cmdEsporta, &PictureButton::clicked, this, &TfrmExpTiratori::cmdEsportaClick);
    connect(cmdGuida, &PictureButton::clicked, this, &TfrmExpTiratori::cmdGuidaClick);
    connect(cmdEsci, &PictureButton::clicked, this, &TfrmExpTiratori::cmdEsciClick);
}

void TfrmExpTiratori::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        fillGrid();
}

void TfrmExpTiratori::fillGrid()
{
    const qint64 records = MemberArchive::count();
    m_hasRecords = records > 0;
    if (!m_hasRecords)
        return; // the initial empty rows stay
    grdRecords->setUpdatesEnabled(false);
    grdRecords->clearContents();
    grdRecords->setRowCount(int(records));
    MemberArchive::scan([this, records](qint64 index, const char *record) {
        if (index >= records)
            return false; // grown since it was counted
        const int row = int(index);
        for (int c = 0; c < MemberExport::kColumnCount; ++c) {
            const MemberExport::Column &col = MemberExport::kColumns[size_t(c)];
            auto *item = new QTableWidgetItem(col.field < 0 ? QString::number(index + 1)
                                                            : Member::decodeField(record, col.field));
            if (!col.editable)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grdRecords->setItem(row, c, item);
        }
        return true;
    });
    grdRecords->setUpdatesEnabled(true);
}

SpreadsheetExport TfrmExpTiratori::exportTable() const
{
    SpreadsheetExport table;
    table.fileName = MemberExport::kFileName;
    table.sheetName = MemberExport::kSheetName;
    table.columns = MemberExport::exportColumns();
    // An empty archive exports the header row only, not the grid's ten blank starting rows.
    table.rowCount = m_hasRecords ? grdRecords->rowCount() : 0;
    QList<int> gridColumns;
    for (int i = 0; i < table.columns.size(); ++i)
        gridColumns << MemberExport::gridColumnOf(i);
    const QTableWidget *grid = grdRecords;
    table.cell = [grid, gridColumns](qsizetype row, int column) {
        const QTableWidgetItem *item = grid->item(int(row), gridColumns[column]);
        return item ? item->text() : QString();
    };
    return table;
}

void TfrmExpTiratori::cmdEsportaClick()
{
    // A cell still being typed in is taken as it stands: moving the focus commits its editor.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus != grdRecords && grdRecords->isAncestorOf(focus))
        grdRecords->setFocus();
    runSpreadsheetExport(this, exportTable());
}

void TfrmExpTiratori::cmdGuidaClick()
{
    showHelpTopic(this, QStringLiteral("Esportazione archivio iscritti in Microsoft Excel"));
}

void TfrmExpTiratori::cmdEsciClick() { close(); }
