#include "common/TfrmCalendario.h"

#include "common/CallerContext.h"
#include "common/Formats.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

TfrmCalendario::TfrmCalendario(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Formats::applyProcessFormats();
    addCallerContextLabel(this);

    auto *caption = new QLabel(QStringLiteral("Importare una data:"), this);
    caption->setObjectName(QStringLiteral("lblImporta"));

    calAppuntamenti = new QCalendarWidget(this);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setAccessibleName(QStringLiteral("Calendario"));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setSelectedDate(QDate::currentDate());
    // From the keyboard: the arrows move the day and Page Up and Page Down the month; Tab leaves
    // the day grid for the buttons, and Enter imports the day as "Importa" does.
    if (auto *days = calAppuntamenti->findChild<QTableView *>()) {
        days->setTabKeyNavigation(false);
        days->setAccessibleName(QStringLiteral("Calendario"));
        days->installEventFilter(this);
        m_days = days;
    }
    for (const auto &[name, spoken] : {std::pair{"qt_calendar_prevmonth", "Mese precedente"},
                                       std::pair{"qt_calendar_nextmonth", "Mese successivo"}})
        if (auto *b = calAppuntamenti->findChild<QToolButton *>(QLatin1String(name)))
            b->setAccessibleName(QLatin1String(spoken));

    btnImportaData = new QPushButton(QStringLiteral("Importa"), this);
    btnImportaData->setObjectName(QStringLiteral("btnImportaData"));
    btnImportaData->setDefault(true);
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnImportaData);
    buttons->addWidget(btnAnnulla);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(calAppuntamenti);
    layout->addLayout(buttons);
    // Fixed size: the window cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(calAppuntamenti, btnImportaData);
    setTabOrder(btnImportaData, btnAnnulla);
    calAppuntamenti->setFocus(Qt::OtherFocusReason);
}

bool TfrmCalendario::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_days && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            btnImportaDataClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCalendario::btnImportaDataClick()
{
    // Nowhere to put the date: nothing is written and the picker stays open.
    if (!m_target)
        return;
    m_target->setText(Formats::formatDate(calAppuntamenti->selectedDate()));
    accept();
}
