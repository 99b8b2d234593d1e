#include "reports/SearchWindow.h"

#include "common/BackgroundWork.h"
#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/Placement.h"
#include "common/ResourceImage.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const char *const kCriteriaInstruction =
    "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare e premere "
    "il "
    "pulsante Cerca.\n"
    "Lasciare in bianco tutti gli altri campi.\n"
    "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.";

} // namespace

SearchWindow::SearchWindow(const Texts &texts, const std::vector<SearchCriterion> &criteria, QWidget *parent)
    : QDialog(parent), m_accessMessage(texts.accessMessage), m_titleResource(texts.resultsTitle)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));
    addCallerContextLabel(this);

    // Criteria page.
    m_panAvvio = new QWidget(this);
    m_panAvvio->setObjectName(QStringLiteral("panAvvio"));
    QLabel *instruction = makeInstructionNote(QString::fromUtf8(kCriteriaInstruction), m_panAvvio);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    for (const SearchCriterion &c : criteria) {
        const int row = int(m_criteria.size());
        auto *label = new QLabel(QString::fromUtf8(c.label), m_panAvvio);
        auto *field = new QLineEdit(m_panAvvio);
        field->setObjectName(QString::fromLatin1(c.entryField));
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(field, row, 1);
        m_criteria.push_back(field);
    }
    grid->setColumnStretch(1, 1);
    QList<QPair<QWidget *, QWidget *>> ring;
    for (size_t i = 0; i < criteria.size(); ++i) {
        Conventions::attachHighlightBand(m_criteria[i], QString::fromLatin1(criteria[i].band));
        QWidget *next = m_panAvvio->findChild<QLineEdit *>(QString::fromLatin1(criteria[i].enterTarget));
        ring.append({m_criteria[i], next});
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
    if (m_titleResource) {
        m_title = new QLabel(this);
        m_title->setObjectName(QStringLiteral("imgTitolo"));
        m_title->setFixedHeight(60);
        m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_title->hide();
    }
    m_panContainer = new ListPanel(texts.list, this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_panContainer->hide();
    m_panContainer->setOpenRow([this](qint64 index) { openRow(index); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_panAvvio, 1);
    if (m_title)
        layout->addWidget(m_title);
    layout->addWidget(m_panContainer, 1);
    resize(1000, 640);

    connect(m_btnCerca, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    connect(m_btnCerca, &QPushButton::clicked, this, &SearchWindow::search);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(m_panContainer, &ListPanel::closeRequested, this, &QDialog::close);
}

void SearchWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Placement::centreOn(this, parentWidget());
    m_panContainer->resetFind();
    if (!m_panAvvio->isHidden() && !m_criteria.empty())
        m_criteria.front()->setFocus();
}

void SearchWindow::search()
{
    // The wait text also shows when the search is started from the keyboard.
    m_lblAttendere->show();
    m_lblAttendere->repaint();

    QStringList texts;
    for (QLineEdit *field : m_criteria)
        texts.append(field->text());
    if (QFileInfo(archivePath()).size() <= kReadInBackground) {
        KeptRows rows;
        const bool found = findRows(texts, rows);
        showRows(found, std::move(rows));
        return;
    }
    // A very large archive is searched on a thread of its own: the window keeps answering, and
    // the search can be stopped (the criteria page then stays, with nothing said).
    if (m_searching)
        return;
    struct Result
    {
        bool found = false;
        bool stopped = false;
        KeptRows rows;
    };
    auto result = std::make_shared<Result>();
    m_searching = new BackgroundWork(
        this, QStringLiteral("Ricerca in corso..."),
        [this, texts, result](ReadProgress &progress) {
            result->found = findRows(texts, result->rows);
            result->stopped = progress.cancelled;
        },
        [this, result] {
            m_searching->deleteLater();
            if (result->stopped)
                m_lblAttendere->hide();
            else
                showRows(result->found, std::move(result->rows));
        });
}

void SearchWindow::showRows(bool found, KeptRows rows)
{
    m_lblAttendere->hide();
    if (!found) {
        MsgBox::plain(this, m_accessMessage);
        return;
    }
    m_panContainer->setRows(std::move(rows));
    m_panAvvio->hide();
    if (m_title) {
        if (m_title->pixmap().isNull())
            m_title->setPixmap(resourcePixmap(QString::fromLatin1(m_titleResource)));
        m_title->show();
    }
    m_panContainer->show();
    m_panContainer->resetFind();
    m_panContainer->findField()->setFocus();
}

void SearchWindow::done(int result)
{
    if (m_searching)
        m_searching->cancel();
    m_panContainer->clearList();
    m_lblAttendere->hide();
    QDialog::done(result);
}
