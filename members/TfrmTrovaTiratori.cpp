#include "members/TfrmTrovaTiratori.h"

TfrmTrovaTiratori::TfrmTrovaTiratori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmTrovaTiratori"));
    setWindowTitle(QStringLiteral(" Trova schede iscritti in archivio"));
}
