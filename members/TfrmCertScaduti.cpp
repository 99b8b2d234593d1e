#include "members/TfrmCertScaduti.h"

TfrmCertScaduti::TfrmCertScaduti(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmCertScaduti"));
    setWindowTitle(QStringLiteral(" Riepilogo certificati medici scaduti"));
}
