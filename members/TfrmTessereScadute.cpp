#include "members/TfrmTessereScadute.h"

TfrmTessereScadute::TfrmTessereScadute(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmTessereScadute"));
    setWindowTitle(QStringLiteral(" Riepilogo tessere scadute"));
}
