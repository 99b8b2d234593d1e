#include "members/TfrmAnteprimaTiratori.h"

TfrmAnteprimaTiratori::TfrmAnteprimaTiratori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmAnteprimaTiratori"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
}
