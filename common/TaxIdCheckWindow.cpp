#include "common/TaxIdCheckWindow.h"

#include "common/FieldConventions.h"
#include "common/ResourceImage.h"

#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TaxIdCheckWindow::TaxIdCheckWindow(const Texts &texts, QWidget *parent)
    : QDialog(parent), field(new QLineEdit(this)),
      btnControlla(new QPushButton(QStringLiteral("Controlla"), this)),
      btnChiudi(new QPushButton(QStringLiteral("Chiudi"), this))
{
    setObjectName(QLatin1String(texts.objectName));
    setWindowTitle(QString::fromUtf8(texts.caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *layout = new QVBoxLayout(this);
    if (texts.heading) {
        auto *heading = new QLabel(this);
        heading->setObjectName(QStringLiteral("imgTitolo"));
        heading->setPixmap(resourcePixmap(QString::fromLatin1(texts.heading)));
        heading->setAlignment(Qt::AlignCenter);
        layout->addWidget(heading);
    }

    auto *instruction = new QLabel(QString::fromUtf8(texts.instruction), this);
    instruction->setObjectName(QStringLiteral("lblIstruzioni"));
    layout->addWidget(instruction);

    field->setObjectName(QLatin1String(texts.fieldName));
    field->setMaxLength(texts.fieldLength);
    field->setFont(QFont(QStringLiteral("Courier New"), 20, QFont::Bold));
    field->setAlignment(Qt::AlignCenter);
    layout->addWidget(field);
    Conventions::labelField(instruction, field);

    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnControlla);
    buttons->addWidget(btnChiudi);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnControlla, &QPushButton::clicked, this, [this] { check(); });
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TaxIdCheckWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    field->setFocus();
}
