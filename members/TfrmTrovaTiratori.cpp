#include "members/TfrmTrovaTiratori.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "members/MemberListPanel.h"
#include "members/TfrmTiratori.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

using namespace Member;

// What a chosen member writes into the card window and into the receipt window: target control,
// member field.
struct Transfer
{
    const char *target;
    Field field;
};
// clang-format off
constexpr Transfer kToCard[] = {
    {"txtTesserato", Tiratore}, {"txtCarica", Ente}, {"txtNumTessera", Tessera},
    {"txtDataRil", InizioTes}, {"txtDataScade", FineTes},
};
constexpr Transfer kToReceipt[] = {
    {"txtPagatore", Tiratore}, {"txtCodFisc", CodFisc}, {"txtSport", Ente}, {"txtPraticante", Armi},
    {"txtLuogoNasc", Porto}, {"txtDataNasc", InizioPor}, {"txtIndirizzo", FinePor},
};
// clang-format on

// The opener's control called `name`. Only controls of the opener's own window count: this
// search window is itself a child of the opener and has fields with the same names.
QWidget *callerControl(QWidget *caller, const char *name)
{
    const QList<QWidget *> found = caller->findChildren<QWidget *>(QString::fromLatin1(name));
    for (QWidget *w : found)
        if (w->window() == caller->window())
            return w;
    return nullptr;
}

// Sets the text of an opener's control whatever its kind (entry field, label, text box); a
// control the opener does not have is left out.
void setCallerText(QWidget *caller, const char *name, const QString &text)
{
    QWidget *w = callerControl(caller, name);
    if (!w)
        return;
    const QMetaObject *mo = w->metaObject();
    for (const char *property : {"text", "plainText"}) {
        const int i = mo->indexOfProperty(property);
        if (i >= 0 && mo->property(i).isWritable()) {
            w->setProperty(property, text);
            return;
        }
    }
}

const char *const kCriteriaInstruction =
    "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare e premere il "
    "pulsante Cerca.\n"
    "Lasciare in bianco tutti gli altri campi.\n"
    "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.";

} // namespace

TfrmTrovaTiratori::TfrmTrovaTiratori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmTrovaTiratori"));
    setWindowTitle(QStringLiteral(" Trova schede iscritti in archivio"));
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));
    addCallerContextLabel(this);

    // Criteria page.
    m_panAvvio = new QWidget(this);
    m_panAvvio->setObjectName(QStringLiteral("panAvvio"));
    QLabel *instruction = makeInstructionNote(QString::fromUtf8(kCriteriaInstruction), m_panAvvio);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    for (int i = 0; i < MemberSearch::kCriterionCount; ++i) {
        const MemberSearch::CriterionInfo &c = MemberSearch::kCriteria[size_t(i)];
        auto *label = new QLabel(QString::fromUtf8(c.label), m_panAvvio);
        auto *field = new QLineEdit(m_panAvvio);
        field->setObjectName(QString::fromLatin1(c.entryField));
        label->setBuddy(field);
        grid->addWidget(label, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(field, i, 1);
        m_criteria[size_t(i)] = field;
    }
    grid->setColumnStretch(1, 1);
    QList<QPair<QWidget *, QWidget *>> ring;
    for (int i = 0; i < MemberSearch::kCriterionCount; ++i) {
        const MemberSearch::CriterionInfo &c = MemberSearch::kCriteria[size_t(i)];
        Conventions::attachHighlightBand(m_criteria[size_t(i)], QString::fromLatin1(c.band));
        QWidget *next = m_panAvvio->findChild<QLineEdit *>(QString::fromLatin1(c.enterTarget));
        ring.append({m_criteria[size_t(i)], next});
    }
    Conventions::setEnterRing(ring);

    m_lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), m_panAvvio);
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    m_lblAttendere->setStyleSheet(QStringLiteral("QLabel { color: #8B0000; font-weight: bold; }"));
    m_lblAttendere->hide();
    m_btnAnnulla = new QPushButton(QStringLiteral("Chiudi"), m_panAvvio);
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnCerca = new QPushButton(QStringLiteral("Cerca"), m_panAvvio);
    m_btnCerca->setObjectName(QStringLiteral("btnCerca"));
    for (QPushButton *b : {m_btnAnnulla, m_btnCerca}) {
        b->setMinimumWidth(110);
        pressOnEnter(b);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_lblAttendere);
    buttons->addStretch(1);
    buttons->addWidget(m_btnAnnulla);
    buttons->addWidget(m_btnCerca);

    auto *criteriaLayout = new QVBoxLayout(m_panAvvio);
    criteriaLayout->setContentsMargins(0, 0, 0, 0);
    criteriaLayout->addWidget(instruction);
    criteriaLayout->addSpacing(6);
    criteriaLayout->addLayout(grid);
    criteriaLayout->addStretch(1);
    criteriaLayout->addLayout(buttons);

    // Results page, in the same place.
    m_panContainer = new MemberListPanel(MemberSearch::LineKind::Result, QStringLiteral("Riepilogo schede iscritti"),
                                         QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"),
                                         true, this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_panContainer->hide();
    m_panContainer->setFiller([this](qint64 index, const Member::Record &record) { fillCaller(index, record); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_panAvvio, 1);
    layout->addWidget(m_panContainer, 1);
    resize(1000, 640);

    connect(m_btnCerca, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    connect(m_btnCerca, &QPushButton::clicked, this, &TfrmTrovaTiratori::search);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(m_panContainer, &MemberListPanel::closeRequested, this, &QDialog::close);
}

void TfrmTrovaTiratori::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_panContainer->resetFind();
    if (!m_panAvvio->isHidden())
        m_criteria[0]->setFocus();
}

void TfrmTrovaTiratori::search()
{
    // The wait text also shows when the search is started from the keyboard.
    m_lblAttendere->show();
    m_lblAttendere->repaint();

    QStringList texts;
    for (QLineEdit *field : m_criteria)
        texts.append(field->text());
    QStringList lines;
    const bool ok = MemberSearch::search(MemberSearch::Criteria(texts), lines);
    m_lblAttendere->hide();
    if (!ok) {
        MsgBox::plain(this, memberArchiveAccessMessage());
        return;
    }
    m_panContainer->setLines(lines);
    m_panAvvio->hide();
    m_panContainer->show();
    m_panContainer->resetFind();
    m_panContainer->findField()->setFocus();
}

void TfrmTrovaTiratori::fillCaller(qint64 index, const Member::Record &record)
{
    QWidget *caller = parentWidget();
    if (!caller)
        return;
    const QString context = callerContext(this);
    const QString position = QString::number(index + 1);
    if (context == QLatin1String("tiratori")) {
        if (auto *sheet = qobject_cast<TfrmTiratori *>(caller))
            sheet->showMember(record, index + 1);
    } else if (context == QLatin1String("tessera")) {
        for (const Transfer &t : kToCard)
            setCallerText(caller, t.target, record[t.field]);
        setCallerText(caller, "lblPosizione", position);
        // The card window shows the member's photo the way it does for a member it loads itself.
        const QMetaObject *mo = caller->metaObject();
        if (mo->indexOfMethod(QMetaObject::normalizedSignature("loadMemberPhoto(QString)").constData()) >= 0)
            QMetaObject::invokeMethod(caller, "loadMemberPhoto", Qt::DirectConnection, Q_ARG(QString, position));
    } else if (context == QLatin1String("ricevuta")) {
        for (const Transfer &t : kToReceipt)
            setCallerText(caller, t.target, record[t.field]);
    }
}

void TfrmTrovaTiratori::done(int result)
{
    m_panContainer->clearList();
    m_lblAttendere->hide();
    QDialog::done(result);
}
