#include "app/TfrmSplash.h"

TfrmSplash::TfrmSplash(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmSplash"));
    setWindowTitle(QStringLiteral("Corvalla - realizzato da Corvalla Software"));
}
