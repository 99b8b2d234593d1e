#include "members/TfrmTiratori.h"

TfrmTiratori::TfrmTiratori(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmTiratori"));
    setWindowTitle(QStringLiteral(" Corvalla - Archivio Iscritti"));
}
