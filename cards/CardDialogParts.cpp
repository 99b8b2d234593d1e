#include "cards/CardDialogParts.h"

#include "common/ResourceImage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace CardDialogParts {

QWidget *instructions(QWidget *parent, const QString &icon, const QString &heading,
                      const QStringList &paragraphs)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("imgIstruzioni"));
    panel->setAttribute(Qt::WA_StyledBackground, true);
    panel->setStyleSheet(
        QStringLiteral("QWidget#imgIstruzioni { background: #FFF8DC; border: 1px solid #D8C890;"
                       " border-radius: 6px; }"));
    const QSize iconSize(72, 72);
    auto *picture = new QLabel(panel);
    picture->setFixedSize(iconSize);
    picture->setPixmap(QPixmap::fromImage(resourceImage(icon, iconSize)));

    QString html = QStringLiteral("<p style=\"font-size:12pt; font-weight:bold; color:#1f3f8f;\">%1</p>")
                       .arg(heading.toHtmlEscaped());
    for (const QString &p : paragraphs)
        html += QStringLiteral("<p>%1</p>").arg(p.toHtmlEscaped());
    auto *text = new QLabel(panel);
    text->setTextFormat(Qt::RichText);
    text->setText(html);
    text->setWordWrap(true);
    text->setFixedWidth(380);

    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(12);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    return panel;
}

QLabel *busyText(QWidget *parent, QPushButton *button)
{
    auto *busy = new QLabel(QStringLiteral("Elaborazione in corso. Attendere..."), parent);
    busy->setObjectName(QStringLiteral("lblAttendere"));
    busy->setStyleSheet(QStringLiteral("QLabel { color: #8B0000; font-weight: bold; }"));
    // Hidden without giving up its room, so that the window keeps its size when it shows.
    QSizePolicy policy = busy->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    busy->setSizePolicy(policy);
    busy->hide();
    QObject::connect(button, &QPushButton::pressed, busy, [busy] { showBusy(busy); });
    return busy;
}

void showBusy(QLabel *busy)
{
    busy->show();
    busy->repaint();
}

} // namespace CardDialogParts
