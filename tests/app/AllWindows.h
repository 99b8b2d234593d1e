#pragma once

// Every window of the program: the windows of the set, created at start, and the one-use windows
// that they open, each made on its own.
#include "app/Application.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmInfo.h"
#include "cards/TfrmAnteprimaTessera.h"
#include "cards/TfrmDatiEnte.h"
#include "cards/TfrmStampaTessera.h"
#include "common/TfrmCalendario.h"
#include "common/TfrmCodFisc.h"
#include "common/TfrmGuida.h"
#include "common/TfrmPartitaIva.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTrovaTiratori.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmStampaRic.h"
#include "receipts/TfrmTrovaRic.h"
#include "takings/TfrmRiepCosti.h"

#include <QList>
#include <QPair>
#include <QWidget>
#include <functional>

namespace AllWindows {

using Make = std::function<QWidget *()>;

template <typename W> Make make()
{
    return [] { return new W; };
}

// The one-use windows, opened by the windows of the set.
inline const QList<QPair<const char *, Make>> &oneUseWindows()
{
    static const QList<QPair<const char *, Make>> windows = {
        {"TfrmCambiaPassword", make<TfrmCambiaPassword>()},
        {"TfrmInfo", make<TfrmInfo>()},
        {"TfrmAnteprimaTessera", make<TfrmAnteprimaTessera>()},
        {"TfrmDatiEnte", make<TfrmDatiEnte>()},
        {"TfrmStampaTessera", make<TfrmStampaTessera>()},
        {"TfrmCalendario", make<TfrmCalendario>()},
        {"TfrmCodFisc", make<TfrmCodFisc>()},
        {"TfrmGuida", make<TfrmGuida>()},
        {"TfrmPartitaIva", make<TfrmPartitaIva>()},
        {"TfrmAllegaCartella", make<TfrmAllegaCartella>()},
        {"TfrmAnteprimaTiratori", make<TfrmAnteprimaTiratori>()},
        {"TfrmCertScaduti", make<TfrmCertScaduti>()},
        {"TfrmExpTiratori", make<TfrmExpTiratori>()},
        {"TfrmStampaTiratori", make<TfrmStampaTiratori>()},
        {"TfrmTessereScadute", make<TfrmTessereScadute>()},
        {"TfrmTrovaTiratori", make<TfrmTrovaTiratori>()},
        {"TfrmWebCam", make<TfrmWebCam>()},
        {"TfrmZoom", make<TfrmZoom>()},
        {"TfrmAnteprimaRic", make<TfrmAnteprimaRic>()},
        {"TfrmExpRic", make<TfrmExpRic>()},
        {"TfrmLogo", make<TfrmLogo>()},
        {"TfrmNumerazione", make<TfrmNumerazione>()},
        {"TfrmStampaRic", make<TfrmStampaRic>()},
        {"TfrmTrovaRic", make<TfrmTrovaRic>()},
        {"TfrmRiepCosti", make<TfrmRiepCosti>()},
    };
    return windows;
}

// The windows of the set and the one-use windows, by class name.
inline QList<QPair<const char *, Make>> everyWindow()
{
    QList<QPair<const char *, Make>> all;
    QStringList seen;
    for (const Corvalla::WindowEntry &e : Corvalla::windowSet()) {
        all.append({e.className, e.create});
        seen << QLatin1String(e.className);
    }
    for (const auto &w : oneUseWindows())
        if (!seen.contains(QLatin1String(w.first)))
            all.append(w);
    return all;
}

} // namespace AllWindows
