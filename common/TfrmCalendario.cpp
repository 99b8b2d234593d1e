#include "common/TfrmCalendario.h"

#include "common/CallerContext.h"
#include "common/Formats.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
}

void TfrmCalendario::btnImportaDataClick()
{
    // Nowhere to put the date: nothing is written and the picker stays open.
    if (!m_target)
        return;
    m_target->setText(Formats::formatDate(calAppuntamenti->selectedDate()));
    accept();
}
