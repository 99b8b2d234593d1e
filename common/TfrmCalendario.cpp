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

namespace {

struct ContextTarget
{
    const char *context;
    const char *field;
};

// Which field of the opening window each caller context fills (compared exactly, case included).
constexpr ContextTarget kTargets[] = {
    {"data", "txtData"},
    {"dal", "txtDal"},
    {"Al", "txtAl"},
    {"tiratori_studio", "txtStudio"},
    {"tiratori_iniziotes", "txtInizioTes"},
    {"tiratori_finetes", "txtFineTes"},
};

} // namespace

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

QString TfrmCalendario::targetField(const QString &context)
{
    for (const ContextTarget &t : kTargets) {
        if (context == QLatin1String(t.context))
            return QLatin1String(t.field);
    }
    return QString();
}

void TfrmCalendario::btnImportaDataClick()
{
    QLineEdit *target = m_target;
    if (!target) {
        const QString name = targetField(callerContext(this));
        target = name.isEmpty() || !parentWidget() ? nullptr : parentWidget()->findChild<QLineEdit *>(name);
    }
    // Nowhere to put the date: nothing is written and the picker stays open.
    if (!target)
        return;
    target->setText(Formats::formatDate(calAppuntamenti->selectedDate()));
    accept();
}
