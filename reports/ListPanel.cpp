#include "reports/ListPanel.h"

#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/TextUtil.h"
#include "reports/Report.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const char *const kInstruction =
    "Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e premere il "
    "pulsante Trova.\n"
    "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su "
    "Trova.";

constexpr int kListWidth = 1600;

// Enter on a button that has the focus presses it. The windows have no default button, so Enter
// elsewhere (in the list, for one) never presses a button behind the user's back.
class EnterClicks : public QObject
{
public:
    explicit EnterClicks(QPushButton *button) : QObject(button), m_button(button)
    {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_button && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton *m_button;
};

} // namespace

void pressOnEnter(QPushButton *button)
{
    new EnterClicks(button);
}

// Every line has the same height and the width of the widest line, at least 1600 pixels, so the
// view lays out 100,000 lines without measuring each one and scrolls sideways over the columns.
class ListLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setLongest(int characters) { m_longest = characters; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        const int wanted = option.fontMetrics.horizontalAdvance(QLatin1Char('M')) * m_longest + 8;
        s.setWidth(qMax(kListWidth, wanted));
        return s;
    }

private:
    int m_longest = 0;
};

// The list's lines as the view asks for them, row by row.
class ListLinesModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(int count, ListPanel::LineAt lineAt)
    {
        beginResetModel(); // one reset, whatever the number of lines
        m_count = count;
        m_lineAt = std::move(lineAt);
        endResetModel();
    }
    int count() const { return m_count; }
    QString line(int row) const { return m_lineAt(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_count;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_count || (role != Qt::DisplayRole && role != Qt::EditRole))
            return QVariant();
        return m_lineAt(index.row());
    }

private:
    int m_count = 0;
    ListPanel::LineAt m_lineAt;
};

QLabel *makeInstructionNote(const QString &text, QWidget *parent)
{
    auto *note = new QLabel(text, parent);
    note->setObjectName(QStringLiteral("imgIstruzioni"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral(
        "QLabel { background: #FFFFE1; color: #1F3A7A; border: 1px solid #9DB7EE; border-radius: 6px;"
        " padding: 8px; font-weight: bold; }"));
    return note;
}

QString ListPanel::Texts::defaultInstruction()
{
    return QString::fromUtf8(kInstruction);
}

ListPanel::ListPanel(const Texts &texts, QWidget *parent) : QWidget(parent), m_texts(texts)
{
    QLabel *instruction = makeInstructionNote(m_texts.instruction, this);

    m_txtTrova = new QLineEdit(this);
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setAccessibleName(QStringLiteral("Testo da trovare nella lista"));
    m_btnTrova = new QPushButton(QStringLiteral("Trova"), this);
    m_btnTrova->setObjectName(QStringLiteral("btnTrova"));
    Conventions::setEnterTarget(m_txtTrova, m_btnTrova);

    m_model = new ListLinesModel(this);
    m_lstRecords = new QListView(this);
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setAccessibleName(QStringLiteral("Elenco"));
    m_lstRecords->setModel(m_model);
    m_lstRecords->setUniformItemSizes(true);
    m_lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_lstRecords->setTextElideMode(Qt::ElideNone);
    m_lstRecords->setWordWrap(false);
    QFont mono(QStringLiteral("Courier New"), 12);
    mono.setStyleHint(QFont::TypeWriter);
    m_lstRecords->setFont(mono);
    QPalette pal = m_lstRecords->palette();
    pal.setColor(QPalette::Text, Qt::black);
    m_lstRecords->setPalette(pal);
    m_delegate = new ListLineDelegate(m_lstRecords);
    m_lstRecords->setItemDelegate(m_delegate);
    m_lstRecords->viewport()->installEventFilter(this);
    m_lstRecords->installEventFilter(this);
    m_lstRecords->setMinimumHeight(260);

    m_btnStampa = new QPushButton(m_texts.printButton, this);
    m_btnStampa->setObjectName(QStringLiteral("btnStampa"));
    m_btnChiudi = new QPushButton(m_texts.closeButton, this);
    m_btnChiudi->setObjectName(m_texts.closeButtonName);
    for (QPushButton *b : {m_btnTrova, m_btnStampa, m_btnChiudi}) {
        b->setMinimumWidth(110);
        pressOnEnter(b);
    }

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(m_txtTrova, 1);
    findRow->addWidget(m_btnTrova);

    auto *infoRow = new QHBoxLayout;
    if (!m_texts.doubleClick.isEmpty()) {
        auto *doubleClick = new QLabel(m_texts.doubleClick, this);
        doubleClick->setObjectName(QStringLiteral("lblDoppioClic"));
        doubleClick->setStyleSheet(QStringLiteral("QLabel { color: #1F3A7A; font-weight: bold; }"));
        infoRow->addWidget(doubleClick);
    }
    infoRow->addStretch(1);
    if (!m_texts.countLine.isEmpty()) {
        m_lblTrovate = new QLabel(
            m_texts.initialCountLine.isEmpty() ? m_texts.countLine.arg(0) : m_texts.initialCountLine, this);
        m_lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        m_lblTrovate->setStyleSheet(QStringLiteral("QLabel { color: #8B0000; font-weight: bold; }"));
        infoRow->addWidget(m_lblTrovate);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnStampa);
    buttons->addWidget(m_btnChiudi);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(instruction);
    m_layout->addLayout(findRow);
    m_layout->addWidget(m_lstRecords, 1);
    m_layout->addLayout(infoRow);
    m_layout->addLayout(buttons);

    connect(m_btnTrova, &QPushButton::clicked, this, &ListPanel::findInList);
    connect(m_btnStampa, &QPushButton::clicked, this, &ListPanel::printList);
    connect(m_btnChiudi, &QPushButton::clicked, this, &ListPanel::closeRequested);
}

void ListPanel::setFooter(QWidget *footer)
{
    footer->setParent(this);
    m_layout->insertWidget(m_layout->count() - 1, footer); // above the buttons
}

void ListPanel::setRows(ListRows sortedRows)
{
    m_lines.clear();
    m_lines.reserve(qsizetype(sortedRows.size()));
    m_records.clear();
    m_records.reserve(sortedRows.size());
    m_kept.reset();
    for (ListRow &row : sortedRows) {
        m_lines.append(std::move(row.text));
        m_records.push_back(row.index);
    }
    int longest = 0;
    for (const QString &l : m_lines)
        longest = qMax(longest, int(l.size()));
    m_delegate->setLongest(longest);
    m_model->setLines(int(m_lines.size()), [this](int row) { return m_lines[row]; });
    if (m_lblTrovate)
        m_lblTrovate->setText(m_texts.countLine.arg(m_lines.size()));
}

void ListPanel::setRows(KeptRows sortedRows)
{
    auto rows = std::make_shared<const KeptRows>(std::move(sortedRows));
    setLazyLines(
        int(rows->size()), [rows](int row) { return rows->lineAt(row); }, rows->longest());
    m_kept = std::move(rows);
}

void ListPanel::setLazyLines(int count, LineAt lineAt, int longest)
{
    m_lines.clear();
    m_records.clear();
    m_kept.reset();
    m_delegate->setLongest(longest);
    m_model->setLines(count, std::move(lineAt));
    if (m_lblTrovate)
        m_lblTrovate->setText(m_texts.countLine.arg(count));
}

QStringList ListPanel::lines() const
{
    if (m_lines.size() == m_model->count())
        return m_lines; // built already
    QStringList all;
    all.reserve(m_model->count());
    for (int row = 0; row < m_model->count(); ++row)
        all.append(m_model->line(row));
    return all;
}

int ListPanel::lineCount() const
{
    return m_model->count();
}

void ListPanel::setLines(const QStringList &sortedLines)
{
    ListRows rows;
    rows.reserve(size_t(sortedLines.size()));
    for (const QString &line : sortedLines)
        rows.push_back({line, -1});
    setRows(std::move(rows));
}

qint64 ListPanel::recordOf(int row) const
{
    if (m_kept)
        return row >= 0 && row < m_kept->size() ? m_kept->recordAt(row) : -1;
    return row >= 0 && size_t(row) < m_records.size() ? m_records[size_t(row)] : -1;
}

void ListPanel::clearList()
{
    m_lines.clear();
    m_records.clear();
    m_kept.reset();
    m_model->setLines(0, {});
}

void ListPanel::resetFind()
{
    m_lastFind->clear();
    m_txtTrova->clear();
}

int ListPanel::selectedRow() const
{
    const QModelIndexList rows = m_lstRecords->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListPanel::selectRow(int row)
{
    const QModelIndex index = m_model->index(row);
    m_lstRecords->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_lstRecords->scrollTo(index);
}

void ListPanel::findInList()
{
    if (lineCount() == 0) {
        MsgBox::plain(window(),
                      QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (selectedRow() < 0)
        selectRow(0);
    const QString needle = lowerAZ(m_txtTrova->text());
    QString line; // the line being examined, built when it is asked for
    const int found = ::findInList(
        lineCount(),
        [this, &line](int row) {
            line = m_model->line(row);
            return QStringView(line);
        },
        selectedRow(), needle, needle == *m_lastFind);
    if (found >= 0)
        selectRow(found);
    *m_lastFind = needle;
}

void ListPanel::printList()
{
    if (lineCount() == 0 && !m_texts.emptyPrintWarning.isEmpty()) {
        MsgBox::warning(window(), m_texts.emptyPrintWarning);
        return;
    }
    if (!m_texts.printQuestion.isEmpty() && !MsgBox::confirm(window(), m_texts.printQuestion))
        return;
    QString error;
    if (!ListReportPage::print(window(), m_texts.page, lines() + m_printTrailer, &error)) {
        QString text = QStringLiteral("Attenzione: non è stato possibile stampare il riepilogo.");
        if (!error.isEmpty())
            text += QStringLiteral("\n\r\n\r") + error;
        MsgBox::warning(window(), text);
    }
}

void ListPanel::openSelected()
{
    const qint64 record = recordOf(selectedRow());
    if (record >= 0 && m_open)
        m_open(record);
    emit closeRequested();
}

bool ListPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Any double click on the list opens the selected line; the first click of it has already
    // selected the line under the pointer. From the keyboard, Enter opens the line that has the
    // focus. A list whose lines open nothing ignores both.
    if (m_open && watched == m_lstRecords->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        openSelected();
        return true;
    }
    if (m_open && watched == m_lstRecords && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = m_lstRecords->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            selectRow(current.row());
            openSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
