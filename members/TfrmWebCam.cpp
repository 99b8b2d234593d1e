#include "members/TfrmWebCam.h"

TfrmWebCam::TfrmWebCam(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmWebCam"));
    setWindowTitle(QStringLiteral(" Cattura foto con webcam"));
}
