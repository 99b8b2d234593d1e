#pragma once

#include <QWidget>

// Window placement shared by the program's windows.
namespace Placement {

// Title bar without buttons.
inline constexpr Qt::WindowFlags kNoTitleButtons = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Puts the window, with its frame, in the middle of the screen it is on (the primary screen before
// it is shown), made smaller where it is larger than the screen; a window that cannot be made
// smaller keeps its title on the screen.
void centreOnScreen(QWidget *window);

// Puts the window in the middle of `over` (the screen when `over` is null or hidden), no larger
// than the screen and its title kept on it.
void centreOn(QWidget *window, const QWidget *over);

} // namespace Placement
