#include "app/TfrmInfo.h"

TfrmInfo::TfrmInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Corvalla"));
}
