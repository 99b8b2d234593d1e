#include "app/TfrmPassword.h"

TfrmPassword::TfrmPassword(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral(" Corvalla - Autenticazione"));
}
