#include "members/TfrmTrovaTiratori.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/ListPanel.h"
#include "common/MsgBox.h"
#include "members/MemberArchive.h"
#include "members/MemberChoiceTarget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

using namespace Member;

const char *const kCriteriaInstruction =
    "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare e premere "
    "il "
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
    ListPanel::Texts texts;
    texts.doubleClick = QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda");
    texts.countLine = QStringLiteral("Il presente riepilogo contiene %1 schede");
    texts.page.title = QStringLiteral("Riepilogo schede iscritti");
    m_panContainer = new ListPanel(texts, this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_panContainer->hide();
    m_panContainer->setOpenRow([this](qint64 index) { openRow(index); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_panAvvio, 1);
    layout->addWidget(m_panContainer, 1);
    resize(1000, 640);

    connect(m_btnCerca, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    connect(m_btnCerca, &QPushButton::clicked, this, &TfrmTrovaTiratori::search);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(m_panContainer, &ListPanel::closeRequested, this, &QDialog::close);
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
    ListRows rows;
    const bool ok = MemberSearch::search(MemberSearch::Criteria(texts), rows);
    m_lblAttendere->hide();
    if (!ok) {
        MsgBox::plain(this, MemberArchive::accessMessage());
        return;
    }
    m_panContainer->setRows(std::move(rows));
    m_panAvvio->hide();
    m_panContainer->show();
    m_panContainer->resetFind();
    m_panContainer->findField()->setFocus();
}

void TfrmTrovaTiratori::openRow(qint64 index)
{
    // The member sheet, the card window and the receipt window take the member, each its own way.
    static const QStringList contexts = {QStringLiteral("tiratori"), QStringLiteral("tessera"),
                                         QStringLiteral("ricevuta")};
    if (contexts.contains(callerContext(this)))
        handMember(memberChoiceTarget(m_target, parentWidget()), index);
}

void TfrmTrovaTiratori::done(int result)
{
    m_panContainer->clearList();
    m_lblAttendere->hide();
    QDialog::done(result);
}
