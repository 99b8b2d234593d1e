#include "members/TfrmTessereScadute.h"

TfrmTessereScadute::TfrmTessereScadute(QWidget *parent)
    : ExpiryListWindow(MemberSearch::kExpiredCards, QStringLiteral("TfrmTessereScadute"),
                       QStringLiteral(" Riepilogo tessere scadute"), parent)
{
}
