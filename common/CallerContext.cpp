#include "common/CallerContext.h"

#include <QLabel>

QLabel *addCallerContextLabel(QWidget *window)
{
    auto *label = new QLabel(window);
    label->setObjectName(QStringLiteral("lblMemory"));
    label->hide();
    return label;
}

void setCallerContext(QWidget *window, const QString &context)
{
    if (auto *label = window->findChild<QLabel *>(QStringLiteral("lblMemory")))
        label->setText(context);
}

QString callerContext(const QWidget *window)
{
    const auto *label = window->findChild<QLabel *>(QStringLiteral("lblMemory"));
    return label ? label->text() : QString();
}
