#include "app/Application.h"

#include "app/DataCopyRunner.h"
#include "app/WindowRegistry.h"
#include "common/Formats.h"
#include "common/KeyboardAccess.h"
#include "common/Placement.h"
#include "common/ProgramFolder.h"

#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPassword.h"
#include "app/TfrmSplash.h"
#include "cards/TfrmAnteprimaTessera.h"
#include "cards/TfrmDatiEnte.h"
#include "cards/TfrmStampaTessera.h"
#include "cards/TfrmTessera.h"
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
#include "members/TfrmTiratori.h"
#include "members/TfrmTrovaTiratori.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmMenuRicevute.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"
#include "receipts/TfrmStampaRic.h"
#include "receipts/TfrmTrovaRic.h"
#include "takings/TfrmMenuRiepCosti.h"
#include "takings/TfrmRiepCosti.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStyle>
#include <QTranslator>

namespace Corvalla {

namespace {
template <typename T> QWidget *make()
{
    return new T(nullptr);
}

#define CORVALLA_WINDOW(T)                                                                                   \
    WindowEntry                                                                                              \
    {                                                                                                        \
#T, &make < T>                                                                                       \
    }
} // namespace

void initApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Corvalla"));
    QCoreApplication::setOrganizationName(QStringLiteral("Corvalla"));
    QGuiApplication::setApplicationDisplayName(QString());
    Formats::applyProcessFormats();

    static bool translated = false;
    if (!translated) {
        translated = true;
        const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        for (const char *name : {"qtbase_it", "qtmultimedia_it"}) {
            auto *t = new QTranslator(qApp);
            if (t->load(QString::fromLatin1(name), dir))
                QCoreApplication::installTranslator(t);
            else
                delete t;
        }
    }
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        app->setQuitOnLastWindowClosed(false); // the hidden access window is the main window
        Keyboard::install();
        QFont f(QStringLiteral("Liberation Sans"), 10);
        app->setFont(f);
    }
}

const QList<WindowEntry> &windowSet()
{
    static const QList<WindowEntry> set = {
        CORVALLA_WINDOW(TfrmPassword),
        CORVALLA_WINDOW(TfrmAvvio),
        CORVALLA_WINDOW(TfrmAllegaCartella),
        CORVALLA_WINDOW(TfrmAnteprimaRic),
        CORVALLA_WINDOW(TfrmAnteprimaTiratori),
        CORVALLA_WINDOW(TfrmCalendario),
        CORVALLA_WINDOW(TfrmCambiaPassword),
        CORVALLA_WINDOW(TfrmCertScaduti),
        CORVALLA_WINDOW(TfrmCodFisc),
        CORVALLA_WINDOW(TfrmExpRic),
        CORVALLA_WINDOW(TfrmExpTiratori),
        CORVALLA_WINDOW(TfrmGuida),
        CORVALLA_WINDOW(TfrmInfo),
        CORVALLA_WINDOW(TfrmLogo),
        CORVALLA_WINDOW(TfrmMenuRicevute),
        CORVALLA_WINDOW(TfrmMenuRiepCosti),
        CORVALLA_WINDOW(TfrmNumerazione),
        CORVALLA_WINDOW(TfrmPartitaIva),
        CORVALLA_WINDOW(TfrmRicevuta),
        CORVALLA_WINDOW(TfrmRiepCosti),
        CORVALLA_WINDOW(TfrmSplash),
        CORVALLA_WINDOW(TfrmStampaRic),
        CORVALLA_WINDOW(TfrmStampaTiratori),
        CORVALLA_WINDOW(TfrmTessereScadute),
        CORVALLA_WINDOW(TfrmTiratori),
        CORVALLA_WINDOW(TfrmTrovaRic),
        CORVALLA_WINDOW(TfrmTrovaTiratori),
        CORVALLA_WINDOW(TfrmWebCam),
        CORVALLA_WINDOW(TfrmZoom),
        CORVALLA_WINDOW(TfrmTessera),
        CORVALLA_WINDOW(TfrmStampaTessera),
        CORVALLA_WINDOW(TfrmAnteprimaTessera),
        CORVALLA_WINDOW(TfrmDatiEnte),
    };
    return set;
}

namespace {
QWidget *createWindow(const WindowEntry &e)
{
    QWidget *w = e.create();
    w->hide();
    Windows::add(w);
    return w;
}
} // namespace

QWidget *createMainWindow()
{
    return createWindow(windowSet().constFirst());
}

namespace {
// Leaving the work area `T` brings the main menu back.
template <typename T> void returnsToMenu(QWidget *menu)
{
    if (T *area = Windows::get<T>())
        QObject::connect(area, &T::closed, menu, [menu] { menu->show(); });
}
} // namespace

void connectWindowSet()
{
    if (QWidget *menu = Windows::find("TfrmAvvio")) {
        returnsToMenu<TfrmTiratori>(menu);
        returnsToMenu<TfrmTessera>(menu);
        returnsToMenu<TfrmRicevuta>(menu);
        returnsToMenu<TfrmMenuRiepCosti>(menu);
        returnsToMenu<TfrmMenuRicevute>(menu);
    }
    auto *receipts = Windows::get<TfrmRicevuta>();
    if (auto *yearMenu = Windows::get<TfrmMenuRicevute>(); yearMenu && receipts)
        QObject::connect(yearMenu, &TfrmMenuRicevute::yearOpened, receipts, [receipts](const QString &year) {
            receipts->openYear(year);
            receipts->showMaximized();
        });
    // The first showing of the main menu makes the run's automatic copy of the data.
    if (QWidget *menu = Windows::find("TfrmAvvio"); menu && !menu->findChild<DataCopyRunner *>())
        new DataCopyRunner(menu, programFolder());
    // The card and receipt windows choose members with the member archive's search.
    if (auto *card = Windows::get<TfrmTessera>())
        card->setMemberSearch(&openMemberSearch);
    if (receipts)
        receipts->setMemberSearch(&openMemberSearch);
}

QList<QWidget *> createRemainingWindows()
{
    QList<QWidget *> windows;
    for (qsizetype i = 1; i < windowSet().size(); ++i)
        windows.append(createWindow(windowSet()[i]));
    connectWindowSet();
    return windows;
}

QList<QWidget *> createWindowSet()
{
    QList<QWidget *> windows{createMainWindow()};
    windows += createRemainingWindows();
    return windows;
}

void showMainWindow(QWidget *mainWindow)
{
    mainWindow->adjustSize();
    Placement::centreOnScreen(mainWindow);
    mainWindow->show();
}

void endProgram()
{
    QCoreApplication::exit(0);
}

} // namespace Corvalla
