#pragma once

#include <QList>
#include <QWidget>

namespace Corvalla {

// Prepares the process: Italian locale and Qt's Italian translations (so message-box buttons read
// "Sì", "No", "Annulla"), the process-wide formats, the application name and the default font.
void initApplication();

// One window of the start-up set: its class name and how to create it.
struct WindowEntry
{
    const char *className;
    QWidget *(*create)();
};

// The windows created at start, in their fixed order; the first is the process's main window.
const QList<WindowEntry> &windowSet();

// Creates every window of the set, hidden, in order, and registers them (WindowRegistry).
// The caller owns the returned windows.
QList<QWidget *> createWindowSet();

// The same in two steps, as the program starts: the main window first, so that it can be on
// screen at once, then the others, in order, as soon as it has been drawn.
QWidget *createMainWindow();
QList<QWidget *> createRemainingWindows();

// Connects the windows of the set that hand over to each other: each work area brings the main
// menu back when it closes, the year menu opens the receipt window, and the card and receipt
// windows open the member search. createRemainingWindows() does it once the set is complete; it
// connects the windows that are registered, so a test may register only those it uses.
void connectWindowSet();

// Shows the access window centred on the screen, as the run begins.
void showMainWindow(QWidget *mainWindow);

// Ends the run: the event loop stops and main() returns. Nothing is written and no window is asked
// to close first (a close would bring the access window back from the change window).
void endProgram();

} // namespace Corvalla
