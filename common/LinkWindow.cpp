#include "common/LinkWindow.h"

#include "common/PictureButton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace LinkWindow {

IconLink makeIconLink(QWidget *window, const QString &iconResource, const QString &iconName,
                      const QString &text)
{
    auto *icon = new PictureButton(iconResource, QSize(32, 32), window);
    icon->setObjectName(iconName);
    icon->setFixedSize(32, 32);
    auto *link = new LinkLabel(text, window);
    link->setObjectName(QStringLiteral("lnkWeb"));
    link->attachIcon(icon);
    return {icon, link};
}

QPushButton *makeCloseButton(QDialog *window)
{
    auto *button = new QPushButton(QStringLiteral("Chiudi"), window);
    button->setObjectName(QStringLiteral("btnChiudi"));
    button->setMinimumWidth(110);
    QObject::connect(button, &QPushButton::clicked, window, &QDialog::close);
    return button;
}

Controls build(QDialog *window, PictureButton *picture, const QString &iconResource, const QString &iconName,
               const QString &text)
{
    const IconLink iconLink = makeIconLink(window, iconResource, iconName, text);
    QPushButton *close = makeCloseButton(window);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(iconLink.icon);
    row->addWidget(iconLink.link);
    row->addStretch(1);

    auto *layout = new QVBoxLayout(window);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(18);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addLayout(row);
    layout->addWidget(close, 0, Qt::AlignRight);
    return {iconLink.icon, iconLink.link, close};
}

} // namespace LinkWindow
