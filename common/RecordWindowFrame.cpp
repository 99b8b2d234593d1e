#include "common/RecordWindowFrame.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace RecordWindowFrame {

namespace {

// Set on the band rather than on the window, so that the looks do not reach the one-use windows
// and message boxes that have the window as parent.
const char *const kStyle = R"(
QFrame#shpContainer {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #DCE5F7);
    border-bottom: 1px solid #9FB4E3;
}
QFrame[toolbarGroup="true"] {
    background: rgba(255, 255, 255, 150);
    border: 1px solid #C3D1F0;
    border-radius: 6px;
}
QLabel#lblPosizione {
    background: #FFFFFF;
    border: 1px solid #9FB4E3;
    border-radius: 4px;
    font-weight: bold;
    padding: 2px 6px;
}
QToolButton { border: 1px solid transparent; border-radius: 5px; padding: 2px; }
QToolButton:hover { background: #FFF6C8; border-color: #E2C75A; }
QToolButton:pressed { background: #FFE98A; }
)";

const char *const kInfoStyle = "QLabel#panInfo { background: #1F4AB8; color: #FFFFFF; padding: 5px 12px; }";

} // namespace

QFrame *panel(const char *name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

Toolbar toolbar(QWidget *parent, const QList<ToolbarGroup> &groups)
{
    Toolbar parts;
    parts.band = panel("shpContainer", parent);
    parts.band->setStyleSheet(QLatin1String(kStyle));
    parts.panels.append(parts.band);
    auto *toolbar = new QHBoxLayout(parts.band);
    toolbar->setContentsMargins(10, 6, 10, 6);
    toolbar->setSpacing(8);
    for (int g = 0; g < groups.size(); ++g) {
        QFrame *group = panel(groups[g].name, parts.band);
        group->setProperty("toolbarGroup", true);
        parts.panels.append(group);
        auto *row = new QHBoxLayout(group);
        row->setContentsMargins(3, 2, 3, 2);
        row->setSpacing(1);
        const QList<QToolButton *> &buttons = groups[g].buttons;
        for (int i = 0; i < buttons.size(); ++i) {
            if (groups[g].record && i == 2) {
                parts.position = new QLabel(group);
                parts.position->setObjectName(QStringLiteral("lblPosizione"));
                parts.position->setAlignment(Qt::AlignCenter);
                parts.position->setMinimumWidth(64);
                row->addWidget(parts.position);
            }
            buttons[i]->setParent(group);
            row->addWidget(buttons[i]);
        }
        if (g == groups.size() - 1)
            toolbar->addStretch(1);
        toolbar->addWidget(group);
    }
    return parts;
}

QToolButton *pictureButton(QWidget *parent, const char *name, const char *icon, const char *text,
                           const char *hint, QSize iconSize)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(icon))));
    button->setIconSize(iconSize);
    if (text) {
        button->setText(QString::fromUtf8(text));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    button->setAccessibleName(QString::fromUtf8(hint));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel *layOut(QWidget *window, const char *scrollerName, QFrame *band, QWidget *content,
               QList<QWidget *> &backgrounds)
{
    window->setAutoFillBackground(true);
    QPalette windowPalette = window->palette();
    windowPalette.setColor(QPalette::Window, QColor(0xE8, 0xEE, 0xFA));
    window->setPalette(windowPalette);

    auto *scroller = new QScrollArea(window);
    scroller->setObjectName(QLatin1String(scrollerName));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    auto *inner = new QWidget(scroller);
    auto *innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->setSpacing(0);
    innerLayout->addWidget(band);
    innerLayout->addWidget(content, 1);
    scroller->setWidget(inner);
    scroller->viewport()->setAutoFillBackground(false);
    inner->setAutoFillBackground(false);
    backgrounds << inner << scroller->viewport();
    QObject::connect(qApp, &QApplication::focusChanged, scroller, [scroller](QWidget *, QWidget *now) {
        if (now && scroller->widget()->isAncestorOf(now))
            scroller->ensureWidgetVisible(now);
    });

    auto *panInfo = new QLabel(window);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setStyleSheet(QLatin1String(kInfoStyle));

    auto *windowLayout = new QVBoxLayout(window);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    windowLayout->addWidget(scroller, 1);
    windowLayout->addWidget(panInfo);
    return panInfo;
}

} // namespace RecordWindowFrame
