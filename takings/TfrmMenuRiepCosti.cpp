#include "takings/TfrmMenuRiepCosti.h"

#include "common/FieldConventions.h"
#include "common/Formats.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/TextUtil.h"
#include "records/YearFile.h"
#include "reports/ListPanel.h"
#include "takings/Summary.h"
#include "takings/TfrmRiepCosti.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <functional>

namespace {

using namespace Takings;

// The window's own background, and the look of its controls: set on the sheet that holds them, so
// that it never reaches the windows opened over this one (the summary, the print dialog, help).
const char *const kWindowStyle = "TfrmMenuRiepCosti { background: #E8EEFA; }";
const char *const kStyle = R"(
QFrame#shpSfondo { background: #FFFFFF; border: 1px solid #C3D1F0; border-radius: 8px; }
QGroupBox { background: #EEF3FD; border: 1px solid #C3D1F0; border-radius: 6px; margin-top: 14px;
            padding: 10px 10px 8px 10px; font-weight: bold; color: #00008B; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 2px; }
QLabel { color: #1E2A4A; }
QLabel[note="true"] { color: #1F3A7A; }
QLabel#lblAnnoInizio, QLabel#lblAnnoFine { color: #00008B; font-weight: bold; }
QLabel#lblAttendere { color: #8B0000; font-weight: bold; }
QLineEdit, QComboBox { background: #FFFFFF; border: 1px solid #87CEEB; padding: 1px 3px; min-height: 22px; }
QLineEdit:focus, QComboBox:focus { background: #FFFF00; }
QPushButton { min-width: 150px; min-height: 28px; }
)";

// The four list fields: name, longest text, and whether they list months or days.
struct ListFieldInfo
{
    const char *name;
    int maxLength;
    bool month;
};
// clang-format off
constexpr ListFieldInfo kListFields[] = {
    {"txtGiornoInizio", 2, false},
    {"txtMeseInizio",   9, true},
    {"txtGiornoFine",   2, false},
    {"txtMeseFine",     9, true},
};
// clang-format on

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A field whose value comes only from its list: nothing can be typed or pasted; Backspace and
// Delete empty it; Left and Right move the cursor; Enter moves on; Tab leaves; F4 and Alt+Down
// open the list, where the arrows and Enter choose. Typing the start of a line ("11", "dic")
// chooses that line. Whenever it is about to take the focus its list has no selected line, and
// when it is left with a text that is not one of its lines it is emptied.
class ListOnlyField : public QObject
{
public:
    ListOnlyField(QComboBox *field, std::function<bool(const QString &)> listed, QWidget *next)
        : QObject(field), m_field(field), m_listed(std::move(listed)), m_next(next)
    {
        field->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_field)
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::FocusIn:
            clearListSelection();
            break;
        case QEvent::FocusOut: {
            // Opening its own list or another window coming to the front is not leaving the field.
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
                !m_listed(m_field->currentText()))
                m_field->clearEditText();
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool keyPress(const QKeyEvent *key)
    {
        const int k = key->key();
        if (isEnterKey(k)) {
            if (m_next)
                m_next->setFocus(Qt::TabFocusReason);
            return true;
        }
        switch (k) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            m_field->clearEditText();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_F4:
            return false;
        case Qt::Key_Down:
        case Qt::Key_Up:
            return !(key->modifiers() & Qt::AltModifier); // Alt+Down opens the list
        default:
            chooseTyped(key);
            return true;
        }
    }

    // The letters or digits typed in a row, a second apart at most, choose the first line they
    // begin ("5" chooses "05" too).
    void chooseTyped(const QKeyEvent *key)
    {
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isLetterOrNumber() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return;
        if (!m_typing.isValid() || m_typing.elapsed() > kTypingPauseMs)
            m_typed.clear();
        m_typing.start();
        m_typed += text.toLower();
        int line = lineStartingWith(m_typed);
        if (line < 0 && m_typed.size() > 1) {
            m_typed = text.toLower();
            line = lineStartingWith(m_typed);
        }
        if (line >= 0)
            m_field->setCurrentIndex(line);
    }

    int lineStartingWith(const QString &typed) const
    {
        for (int i = 0; i < m_field->count(); ++i) {
            const QString line = m_field->itemText(i).toLower();
            if (line.startsWith(typed) ||
                (line.startsWith(QLatin1Char('0')) && line.mid(1).startsWith(typed)))
                return i;
        }
        return -1;
    }

    void clearListSelection()
    {
        const QString text = m_field->currentText();
        m_field->setCurrentIndex(-1);
        m_field->setEditText(text);
    }

    static constexpr int kTypingPauseMs = 1000;

    QComboBox *m_field;
    std::function<bool(const QString &)> m_listed;
    QWidget *m_next;
    QString m_typed;
    QElapsedTimer m_typing;
};

QComboBox *listField(const ListFieldInfo &info, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(info.name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(info.month ? monthNames() : dayNames());
    combo->setMaxVisibleItems(info.month ? 12 : 16);
    combo->lineEdit()->setMaxLength(info.maxLength);
    const QFontMetrics metrics(combo->font());
    combo->setMinimumContentsLength(info.month ? 10 : 3);
    combo->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('W')) * (info.month ? 9 : 2) + 48);
    combo->setCurrentIndex(-1);
    return combo;
}

// A group of the interval: the day and month lists and the year they take.
QGroupBox *intervalGroup(const char *title, QComboBox *day, QComboBox *month, QLabel *year, QWidget *parent)
{
    auto *group = new QGroupBox(QString::fromUtf8(title), parent);
    auto *row = new QHBoxLayout(group);
    row->setSpacing(8);
    auto *dayLabel = new QLabel(QStringLiteral("Giorno:"), group);
    dayLabel->setBuddy(day);
    auto *monthLabel = new QLabel(QStringLiteral("Mese:"), group);
    monthLabel->setBuddy(month);
    // A screen reader tells the start's lists from the end's by the group they are in.
    const QString interval = QString::fromUtf8(title).trimmed().chopped(1);
    day->setAccessibleName(QStringLiteral("Giorno (%1)").arg(interval));
    month->setAccessibleName(QStringLiteral("Mese (%1)").arg(interval));
    row->addWidget(dayLabel);
    row->addWidget(day);
    row->addSpacing(8);
    row->addWidget(monthLabel);
    row->addWidget(month);
    row->addSpacing(8);
    row->addWidget(year);
    row->addStretch(1);
    return group;
}

QLabel *noteLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setProperty("note", true);
    return l;
}

} // namespace

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmMenuRiepCosti"));
    setWindowTitle(QStringLiteral(" Corvalla - Riepilogo Incassi"));
    Formats::applyProcessFormats();
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QLatin1String(kWindowStyle));

    QFrame *shpSfondo = makeSheet();
    auto *centreRow = new QHBoxLayout;
    centreRow->addStretch(1);
    centreRow->addWidget(shpSfondo, 4);
    centreRow->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    // Little room above and below: the stretches centre the sheet on a large screen, and on a low
    // one (full HD magnified twice) the whole sheet stays on it.
    layout->setContentsMargins(16, 4, 16, 4);
    layout->addStretch(1);
    layout->addLayout(centreRow);
    layout->addStretch(2);

    setUpKeys();
    connect(txtAnno, &QLineEdit::textChanged, this, &TfrmMenuRiepCosti::txtAnnoChange);
    connect(btnVisualizza, &QPushButton::pressed, this, &TfrmMenuRiepCosti::btnVisualizzaMouseDown);
    connect(btnVisualizza, &QPushButton::clicked, this, &TfrmMenuRiepCosti::btnVisualizzaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QWidget::close);

    setWindowState(Qt::WindowMaximized);
}

// The sheet: the heading over the filters, the interval and the buttons, with notes between them.
QFrame *TfrmMenuRiepCosti::makeSheet()
{
    auto *shpSfondo = new QFrame(this);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setStyleSheet(QLatin1String(kStyle));
    shpSfondo->setMaximumWidth(760);

    auto *heading =
        new PictureButton(QStringLiteral(":/pictures/riepilogo_titolo.svg"), QSize(500, 60), shpSfondo);
    heading->setObjectName(QStringLiteral("imgTitolo"));
    heading->setFixedSize(500, 60);

    QGridLayout *filters = makeFilters(shpSfondo);
    const auto [startGroup, endGroup] = makeInterval(shpSfondo);

    // The composed dates and the year file, kept for the summary list; never shown.
    lblDataInizio = new QLabel(this);
    lblDataInizio->setObjectName(QStringLiteral("lblDataInizio"));
    lblDataFine = new QLabel(this);
    lblDataFine->setObjectName(QStringLiteral("lblDataFine"));
    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    for (QLabel *hidden : {lblDataInizio, lblDataFine, lblFile})
        hidden->hide();

    QHBoxLayout *buttons = makeButtons(shpSfondo);

    auto *sheet = new QVBoxLayout(shpSfondo);
    sheet->setContentsMargins(24, 18, 24, 18);
    sheet->setSpacing(12);
    sheet->addWidget(heading, 0, Qt::AlignHCenter);
    sheet->addWidget(noteLabel(QString::fromUtf8("Indicare l'anno solare di interesse, il cognome e nome del "
                                                 "pagatore e/o l'attività sportiva praticata."),
                               shpSfondo));
    sheet->addLayout(filters);
    sheet->addWidget(noteLabel(QString::fromUtf8("Per ottenere il riepilogo di tutti gli importi incassati "
                                                 "nell'intervallo di tempo, lasciare in bianco i campi di "
                                                 "ricerca soprastanti."),
                               shpSfondo));
    sheet->addSpacing(6);
    sheet->addWidget(
        noteLabel(QString::fromUtf8("Indicare l'intervallo di tempo relativo al periodo da "
                                    "riepilogare in base alla data di emissione delle ricevute."),
                  shpSfondo));
    sheet->addWidget(startGroup);
    sheet->addWidget(endGroup);
    sheet->addSpacing(6);
    sheet->addLayout(buttons);
    return shpSfondo;
}

// The year and the two filters, each beside its label.
QGridLayout *TfrmMenuRiepCosti::makeFilters(QWidget *parent)
{
    txtAnno = new QLineEdit(parent);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setMaxLength(4);
    txtAnno->setFixedWidth(QFontMetrics(txtAnno->font()).horizontalAdvance(QStringLiteral("00000")) + 16);
    txtEsecutore = new QLineEdit(parent);
    txtEsecutore->setObjectName(QStringLiteral("txtEsecutore"));
    txtCCP = new QLineEdit(parent);
    txtCCP->setObjectName(QStringLiteral("txtCCP"));

    auto *filters = new QGridLayout;
    filters->setHorizontalSpacing(10);
    filters->setVerticalSpacing(8);
    const struct
    {
        const char *label;
        QLineEdit *field;
    } filterRows[] = {{"Anno:", txtAnno}, {"Pagatore:", txtEsecutore}, {"Attività sportiva:", txtCCP}};
    for (int r = 0; r < 3; ++r) {
        auto *label = new QLabel(QString::fromUtf8(filterRows[r].label), parent);
        label->setBuddy(filterRows[r].field);
        // As tall as its field, its text in the middle: level with the field's text at any scale.
        label->setMinimumHeight(filterRows[r].field->sizeHint().height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        filters->addWidget(label, r, 0);
        filters->addWidget(filterRows[r].field, r, 1, r == 0 ? Qt::AlignLeft : Qt::Alignment());
    }
    filters->setColumnStretch(1, 1);
    return filters;
}

// The interval: two groups of day, month and the year they take.
std::pair<QGroupBox *, QGroupBox *> TfrmMenuRiepCosti::makeInterval(QWidget *parent)
{
    QComboBox *lists[4];
    for (int i = 0; i < 4; ++i)
        lists[i] = listField(kListFields[i], parent);
    txtGiornoInizio = lists[0];
    txtMeseInizio = lists[1];
    txtGiornoFine = lists[2];
    txtMeseFine = lists[3];
    lblAnnoInizio = new QLabel(QStringLiteral("ANNO"), parent);
    lblAnnoInizio->setObjectName(QStringLiteral("lblAnnoInizio"));
    lblAnnoFine = new QLabel(QStringLiteral("ANNO"), parent);
    lblAnnoFine->setObjectName(QStringLiteral("lblAnnoFine"));

    QGroupBox *startGroup =
        intervalGroup(" Data inizio intervallo: ", txtGiornoInizio, txtMeseInizio, lblAnnoInizio, parent);
    startGroup->setObjectName(QStringLiteral("grpInizio"));
    QGroupBox *endGroup =
        intervalGroup(" Data fine intervallo: ", txtGiornoFine, txtMeseFine, lblAnnoFine, parent);
    endGroup->setObjectName(QStringLiteral("grpFine"));
    return {startGroup, endGroup};
}

// The busy text and the two buttons.
QHBoxLayout *TfrmMenuRiepCosti::makeButtons(QWidget *parent)
{
    lblAttendere = new QLabel(QStringLiteral("Caricamento riepilogo in corso. Attendere..."), parent);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setVisible(false);
    // The busy text comes and goes without moving the buttons.
    QSizePolicy keepRoom = lblAttendere->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    lblAttendere->setSizePolicy(keepRoom);

    btnEsci = new QPushButton(QStringLiteral("Esci"), parent);
    btnEsci->setObjectName(QStringLiteral("btnEsci"));
    btnVisualizza = new QPushButton(QStringLiteral("Visualizza riepilogo"), parent);
    btnVisualizza->setObjectName(QStringLiteral("btnVisualizza"));
    for (QPushButton *b : {btnVisualizza, btnEsci})
        pressOnEnter(b);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblAttendere);
    buttons->addStretch(1);
    buttons->addWidget(btnVisualizza);
    buttons->addWidget(btnEsci);
    return buttons;
}

// Keys: digits only in the year; the lists take values only from themselves; Enter moves on.
void TfrmMenuRiepCosti::setUpKeys()
{
    Conventions::setCharacterFilter(txtAnno, QStringLiteral("0123456789"), txtEsecutore);
    Conventions::setEnterTarget(txtEsecutore, txtCCP);
    Conventions::setEnterTarget(txtCCP, txtGiornoInizio);
    QComboBox *const lists[4] = {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine};
    QWidget *const nextOf[4] = {txtMeseInizio, txtGiornoFine, txtMeseFine, btnVisualizza};
    for (int i = 0; i < 4; ++i) {
        std::function<bool(const QString &)> listed;
        if (kListFields[i].month)
            listed = [](const QString &t) { return monthNumber(t) > 0; };
        else
            listed = [](const QString &t) { return isListedDay(t); };
        new ListOnlyField(lists[i], std::move(listed), nextOf[i]);
    }
    QWidget *const chain[] = {txtAnno,       txtEsecutore,  txtCCP,      txtGiornoInizio,
                              txtMeseInizio, txtGiornoFine, txtMeseFine, btnVisualizza};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
    QWidget::setTabOrder(btnVisualizza, btnEsci);
}

void TfrmMenuRiepCosti::reset()
{
    txtEsecutore->clear();
    txtCCP->clear();
    for (QComboBox *list : {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine}) {
        list->setCurrentIndex(-1);
        list->clearEditText();
    }
    txtAnno->setText(QString::number(QDate::currentDate().year()).rightJustified(4, QLatin1Char('0')));
    txtAnnoChange();
    lblAttendere->setVisible(false);
    txtEsecutore->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuRiepCosti::txtAnnoChange()
{
    const QString year = trimBlanks(txtAnno->text());
    lblAnnoInizio->setText(year);
    lblAnnoFine->setText(year);
}

void TfrmMenuRiepCosti::btnVisualizzaMouseDown()
{
    lblAttendere->setVisible(true);
}

void TfrmMenuRiepCosti::btnVisualizzaClick()
{
    lblDataInizio->clear();
    lblDataFine->clear();

    const PeriodCheck check = checkPeriod(
        PeriodChoice{txtAnno->text(), txtGiornoInizio->currentText(), txtMeseInizio->currentText(),
                     txtGiornoFine->currentText(), txtMeseFine->currentText()});
    lblDataInizio->setText(check.startText);
    lblDataFine->setText(check.endText);
    if (!check.ok()) {
        lblAttendere->setVisible(false);
        MsgBox::show(this, check.box == PeriodCheck::Box::Plain ? MsgBox::Kind::Plain : MsgBox::Kind::Warning,
                     check.message);
        QWidget *focus = nullptr;
        switch (check.focus) {
        case PeriodField::Year:
            focus = txtAnno;
            break;
        case PeriodField::StartDay:
            focus = txtGiornoInizio;
            break;
        case PeriodField::StartMonth:
            focus = txtMeseInizio;
            break;
        case PeriodField::EndDay:
            focus = txtGiornoFine;
            break;
        case PeriodField::EndMonth:
            focus = txtMeseFine;
            break;
        case PeriodField::None:
            break;
        }
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
        return;
    }

    lblFile->setText(YearFile::pathFor(txtAnno->text()));
    // The busy text must be on screen before the summary is read.
    lblAttendere->setVisible(true);
    lblAttendere->repaint();

    SummaryRequest request;
    request.yearFilePath = trimBlanks(lblFile->text());
    request.filter = SummaryFilter{txtEsecutore->text(), txtCCP->text(), check.start, check.end};
    request.closed = [this] { lblAttendere->setVisible(false); };
    TfrmRiepCosti list(this);
    list.setRequest(std::move(request));
    list.exec();
}

void TfrmMenuRiepCosti::showEvent(QShowEvent *event)
{
    // Coming back from the task bar is not a new visit.
    if (!event->spontaneous())
        reset();
    QWidget::showEvent(event);
}

void TfrmMenuRiepCosti::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept(); // hides the window; it lives on for the next visit
}
