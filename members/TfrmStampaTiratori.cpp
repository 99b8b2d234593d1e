#include "members/TfrmStampaTiratori.h"

TfrmStampaTiratori::TfrmStampaTiratori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmStampaTiratori"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
}
