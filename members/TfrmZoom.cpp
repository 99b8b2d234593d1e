#include "members/TfrmZoom.h"

TfrmZoom::TfrmZoom(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmZoom"));
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
}
