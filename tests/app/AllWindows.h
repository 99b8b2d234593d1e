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

#include "TestSupport.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QPlainTextEdit>
#include <QRect>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <memory>

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

// A control the user sees and uses: a button, a field, a list, a label with text; not a part of
// another control (the field of a combo box, the buttons of a calendar).
inline bool isControl(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        if (label->text().trimmed().isEmpty())
            return false;
    if (!qobject_cast<const QLabel *>(w) && !qobject_cast<const QAbstractButton *>(w) &&
        !qobject_cast<const QLineEdit *>(w) && !qobject_cast<const QComboBox *>(w) &&
        !qobject_cast<const QAbstractItemView *>(w) && !qobject_cast<const QPlainTextEdit *>(w) &&
        !qobject_cast<const QAbstractSpinBox *>(w))
        return false;
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) ||
            qobject_cast<const QAbstractItemView *>(p) || qobject_cast<const QCalendarWidget *>(p))
            return false;
    return true;
}

// The part of `w` that shows in `window`: its area cut by every widget that holds it.
inline QRect shownArea(const QWidget *w, const QWidget *window)
{
    QRect r = w->rect().translated(w->mapTo(window, QPoint(0, 0)));
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        r &= p->rect().translated(p->mapTo(window, QPoint(0, 0)));
    return r;
}

// The controls of `window` on show that overlap one another: pairs of visible controls whose
// shown areas cross by more than a sliver, neither inside the other. Each as "first / second".
inline QStringList overlappingControls(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->isVisible() && isControl(w) && !shownArea(w, window).isEmpty())
            controls << w;
    QStringList found;
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j) {
            QWidget *a = controls[i], *b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            // Lines of text set tightly one under the other (the card's heading) may share a sliver
            // of their boxes: that covers nothing.
            const QRect both = shownArea(a, window) & shownArea(b, window);
            if (both.width() > 3 && both.height() > 3)
                found << QStringLiteral("%1 / %2").arg(a->objectName(), b->objectName());
        }
    return found;
}

// Whether the test runs under a window manager (tests/app/under-wm.sh), on the X11 platform, and
// not on Qt's screen of its own.
inline bool underWindowManager()
{
    return qEnvironmentVariableIsSet("CORVALLA_WINDOW_MANAGER");
}

// The window with the frame its window manager gave it, from the window's margins (QWidget's own
// frame geometry may read empty for a moment after a window was resized while it was mapped).
inline QRect frameOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle ? window->geometry().marginsAdded(handle->frameMargins()) : window->geometry();
}

// Waits until `window` is on screen; under a window manager, also until the manager has framed it.
inline void waitUntilShown(QWidget *window)
{
    if (!underWindowManager()) {
        QCoreApplication::processEvents();
        return;
    }
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (!window->windowFlags().testFlag(Qt::FramelessWindowHint))
        if (!QTest::qWaitFor([window] { return frameOf(window) != window->geometry(); }, 2000))
            qWarning("%s was shown without a frame", qPrintable(window->objectName()));
    QTest::qWait(50); // the manager's frame drawn too
}

// A picture of `window` as the user sees it: under a window manager, the screen's area of the
// window with the manager's frame and title; otherwise the window's own drawing.
inline QPixmap picture(QWidget *window)
{
    if (!underWindowManager())
        return window->grab();
    const QRect frame = frameOf(window);
    return window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
}

// What a window does wrong on a screen too small for it: its frame (under a window manager, with
// the title) leaving the screen, so that a part of it, a button maybe, cannot be reached. A window
// manager may put a maximised window's outer border, a pixel wide, past the screen's edge.
inline QStringList leavesTheScreen(QWidget *window)
{
    const QRect frame = frameOf(window);
    if (window->screen()->availableGeometry().adjusted(-1, -1, 1, 1).contains(frame))
        return {};
    return {QStringLiteral("%1,%2 %3 x %4 leaves the screen")
                .arg(frame.x())
                .arg(frame.y())
                .arg(frame.width())
                .arg(frame.height())};
}

// Shows each window of the program, placed by `place` (given the window before it shows), keeps a
// picture of it in `shots` (a folder of the test's working folder, <window>.png; "<shots>-wm"
// under a window manager) and returns the controls that overlap, as "window: first / second", and
// whatever `alsoCheck` finds on the window on show, as "window: fault".
inline QStringList showEachFindingOverlaps(const QString &shots, const std::function<void(QWidget *)> &place,
                                           const std::function<QStringList(QWidget *)> &alsoCheck = {})
{
    const QDir folder(
        QDir::current().filePath(shots + (underWindowManager() ? QStringLiteral("-wm") : QString())));
    QDir().mkpath(folder.path());
    QStringList overlaps;
    for (const auto &entry : everyWindow()) {
        std::unique_ptr<QWidget> window(entry.second());
        if (place)
            place(window.get());
        window->show();
        waitUntilShown(window.get());
        picture(window.get()).save(folder.filePath(QLatin1String(entry.first) + QStringLiteral(".png")));
        QStringList faults = overlappingControls(window.get());
        if (alsoCheck)
            faults += alsoCheck(window.get());
        for (const QString &fault : faults)
            overlaps << QStringLiteral("%1: %2").arg(QLatin1String(entry.first), fault);
        window->hide();
    }
    return overlaps;
}

// Runs `TestClass` on one screen of `size` (device pixels) at `scale`, as the test's main(): on
// Qt's screen of its own, or under a window manager on the display it was given (which must be of
// that size).
template <typename TestClass> int runOnScreen(int argc, char **argv, const QSize &size, const char *scale)
{
    QTemporaryDir folder;
    if (!underWindowManager()) {
        const QString config = folder.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        const QByteArray screen =
            QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1,
            "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                .arg(size.width())
                .arg(size.height())
                .toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(screen) != screen.size())
            return 1;
        file.close();
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    }
    qputenv("QT_SCALE_FACTOR", scale);
    QApplication app(argc, argv);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen->size() * screen->devicePixelRatio() != size) {
        qWarning("the screen is not of %d x %d pixels", size.width(), size.height());
        return 1;
    }
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}

// What every test of the windows does first: the program folder in `dir`, and message boxes
// answered at once.
inline void prepareWindows(const QTemporaryDir &dir)
{
    corvallaTestInit();
    QVERIFY(dir.isValid());
    setProgramFolder(dir.path());
    MsgBox::setTestHook([](MsgBox::Kind, const QString &) { return MsgBox::Answer::Ok; });
}

} // namespace AllWindows
