#pragma once

#include <QDialog>
#include <QImage>
#include <functional>

class FrameSource;
class PictureBox;
class QPushButton;

// Takes a member photo with the webcam: a live picture, a captured picture, and the captured
// picture saved to disk or put on the member sheet (the opener gives where). One-use window.
class TfrmWebCam : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWebCam(QWidget *parent = nullptr);
    ~TfrmWebCam() override;

    // Where "Importa foto" puts the captured picture, given by the opener; without one the button
    // only closes the window.
    using PhotoTarget = std::function<void(const QImage &photo)>;
    void setPhotoTarget(PhotoTarget target) { m_photoTarget = std::move(target); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void btnAccendiClick();
    void btnSpegniClick();
    void btnCatturaClick();
    void btnSalvaFotogrammaClick();
    void btnImportaFotoClick();
    void btnCloseClick();
    void switchOff();
    void preparePictures();
    void drawFrame(const QImage &image);
    void cameraFailed();

    PictureBox *imgCamera;
    PictureBox *imgTarget;
    PictureBox *imgBianco;
    QPushButton *btnAccendi;
    QPushButton *btnSpegni;
    QPushButton *btnCattura;
    QPushButton *btnSalvaFotogramma;
    QPushButton *btnImportaFoto;
    QPushButton *btnClose;
    FrameSource *m_camera = nullptr;
    bool m_placed = false;
    PhotoTarget m_photoTarget;
};
