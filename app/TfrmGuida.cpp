#include "app/TfrmGuida.h"

TfrmGuida::TfrmGuida(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
}
