#include "members/TfrmExpTiratori.h"

TfrmExpTiratori::TfrmExpTiratori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmExpTiratori"));
    setWindowTitle(QStringLiteral(" Esportazione archivio iscritti in Microsoft Excel"));
}
