#include "members/TfrmZoom.h"

#include "common/PictureBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

TfrmZoom::TfrmZoom(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmZoom"));
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setWindowState(Qt::WindowMaximized);

    panContainer = new QFrame(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->installEventFilter(this);

    imgFoto = new PictureBox(panContainer);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setClickable(QStringLiteral("Chiudi la foto"));
    connect(imgFoto, &PictureBox::clicked, this, &QDialog::accept);
}

void TfrmZoom::setPhoto(const QImage &photo)
{
    imgFoto->setImage(photo);
}

void TfrmZoom::showEvent(QShowEvent *event)
{
    // The maximised geometry is also set by hand, for desktops whose window manager ignores the
    // maximised state of a dialog.
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
        setGeometry(s->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    QDialog::showEvent(event);
    placePanel();
}

void TfrmZoom::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placePanel();
}

void TfrmZoom::placePanel()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    // The screen less a margin for the frame and title bar; the panel is centred in the window
    // and the photo is fitted in it by the picture box.
    const QSize screenSize = s->size();
    const QSize size(qMax(1, screenSize.width() - 60), qMax(1, screenSize.height() - 90));
    panContainer->resize(size);
    imgFoto->setGeometry(QRect(QPoint(0, 0), size));
    panContainer->move((width() - size.width()) / 2, (height() - size.height()) / 2);
}

bool TfrmZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panContainer && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
