#include "members/TfrmCertScaduti.h"

TfrmCertScaduti::TfrmCertScaduti(QWidget *parent)
    : ExpiryListWindow(MemberSearch::kExpiredCertificates, QStringLiteral("TfrmCertScaduti"),
                       QStringLiteral(" Riepilogo certificati medici scaduti"), parent)
{
}
