#include "members/TfrmWebCam.h"

#include "common/CallerContext.h"
#include "common/FileDialogs.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/Placement.h"
#include "members/FrameSource.h"
#include "records/MemberPhoto.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QShowEvent>

namespace {
const QSize kPictureSize(366, 274);

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumHeight(30);
    return b;
}

PictureBox *picture(const QString &name, QWidget *parent)
{
    auto *p = new PictureBox(parent);
    p->setObjectName(name);
    p->setFixedSize(kPictureSize);
    p->setBackground(Qt::black);
    return p;
}
} // namespace

TfrmWebCam::TfrmWebCam(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmWebCam"));
    setWindowTitle(QStringLiteral(" Cattura foto con webcam"));
    // No title-bar buttons: the window is left through its own buttons, which switch the camera off.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    addCallerContextLabel(this);

    imgCamera = picture(QStringLiteral("imgCamera"), this);
    imgTarget = picture(QStringLiteral("imgTarget"), this);
    imgBianco = picture(QStringLiteral("imgBianco"), this);
    imgBianco->hide();

    btnAccendi = button(QStringLiteral("btnAccendi"), QStringLiteral("Accendi webcam"), this);
    btnSpegni = button(QStringLiteral("btnSpegni"), QStringLiteral("Spegni webcam"), this);
    btnCattura = button(QStringLiteral("btnCattura"), QStringLiteral("Cattura foto"), this);
    btnSalvaFotogramma =
        button(QStringLiteral("btnSalvaFotogramma"), QStringLiteral("Salva foto su disco"), this);
    btnImportaFoto = button(QStringLiteral("btnImportaFoto"), QStringLiteral("Importa foto in scheda"), this);
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("Annulla"), this);

    auto *left = new QGridLayout;
    left->addWidget(imgCamera, 0, 0, 1, 2);
    left->addWidget(btnAccendi, 1, 0);
    left->addWidget(btnSpegni, 1, 1);
    left->setRowStretch(2, 1);

    auto *right = new QGridLayout;
    right->addWidget(imgTarget, 0, 0, 1, 2);
    right->addWidget(btnCattura, 1, 0);
    right->addWidget(btnSalvaFotogramma, 1, 1);
    right->addWidget(btnImportaFoto, 2, 0);
    right->addWidget(btnClose, 2, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(18);
    layout->addLayout(left);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnAccendi, &QPushButton::clicked, this, &TfrmWebCam::btnAccendiClick);
    connect(btnSpegni, &QPushButton::clicked, this, &TfrmWebCam::btnSpegniClick);
    connect(btnCattura, &QPushButton::clicked, this, &TfrmWebCam::btnCatturaClick);
    connect(btnSalvaFotogramma, &QPushButton::clicked, this, &TfrmWebCam::btnSalvaFotogrammaClick);
    connect(btnImportaFoto, &QPushButton::clicked, this, &TfrmWebCam::btnImportaFotoClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmWebCam::btnCloseClick);
}

TfrmWebCam::~TfrmWebCam()
{
    switchOff();
}

void TfrmWebCam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_placed)
        return;
    m_placed = true;
    preparePictures();
    adjustSize();
    Placement::centreOn(this, parentWidget() ? parentWidget()->window() : nullptr);
}

void TfrmWebCam::preparePictures()
{
    if (!imgBianco->image().isNull())
        return;
    // The webcam drawing is rendered only when needed: the window is built, hidden, at start-up.
    const QImage drawing = resourceImage(QStringLiteral(":/pictures/webcam.svg"), kPictureSize);
    imgBianco->setImage(drawing);
    imgCamera->setImage(drawing);
    imgTarget->setImage(drawing);
}

void TfrmWebCam::btnAccendiClick()
{
    if (!m_camera) {
        m_camera = FrameSources::create(this);
        connect(m_camera, &FrameSource::frame, this, &TfrmWebCam::drawFrame);
        connect(m_camera, &FrameSource::failed, this, &TfrmWebCam::cameraFailed);
    }
    if (!m_camera->isAvailable()) {
        MsgBox::warning(this, QStringLiteral("Attenzione: nessuna webcam è stata trovata nel sistema."));
        return;
    }
    m_camera->start();
    if (!m_camera->isActive())
        cameraFailed();
}

void TfrmWebCam::cameraFailed()
{
    MsgBox::warning(this, QStringLiteral("Attenzione: non è possibile accendere la webcam.\n\r\n\r"
                                         "Accertarsi che non sia già in uso da un altro programma."));
}

void TfrmWebCam::drawFrame(const QImage &image)
{
    imgCamera->setImage(image);
    imgCamera->repaint(); // drawn before the next frame is taken
}

void TfrmWebCam::btnSpegniClick()
{
    switchOff();
}

void TfrmWebCam::switchOff()
{
    if (m_camera)
        m_camera->stop();
}

void TfrmWebCam::btnCatturaClick()
{
    preparePictures();
    imgTarget->setImage(imgCamera->image());
}

void TfrmWebCam::btnSalvaFotogrammaClick()
{
    const QString path = FileDialogs::getSaveFileName(
        this, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)|*.jpg"), QStringLiteral("Foto.jpg"));
    if (path.isEmpty())
        return;
    preparePictures();
    if (!MemberPhoto::writeJpeg(imgTarget->image(), path))
        imgTarget->setImage(imgBianco->image());
}

void TfrmWebCam::btnImportaFotoClick()
{
    switchOff();
    preparePictures();
    if (m_photoTarget)
        m_photoTarget(imgTarget->image());
    accept();
}

void TfrmWebCam::btnCloseClick()
{
    switchOff();
    reject();
}

void TfrmWebCam::done(int result)
{
    switchOff(); // however the window closes, the camera goes off
    QDialog::done(result);
}

void TfrmWebCam::closeEvent(QCloseEvent *event)
{
    switchOff();
    QDialog::closeEvent(event);
}
