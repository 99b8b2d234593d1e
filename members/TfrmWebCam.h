#pragma once

#include <QDialog>

class FrameSource;
class PictureBox;
class QPushButton;

// Takes a member photo with the webcam: a live picture, a captured picture, and the captured
// picture saved to disk or put on the member sheet (caller context "euro_01"). One-use window.
class TfrmWebCam : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWebCam(QWidget *parent = nullptr);
    ~TfrmWebCam() override;

    // The video source, once switched on at least once (nullptr before).
    FrameSource *camCamera() const { return m_camera; }

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
};
