#pragma once

#include <QWidget>

// Window placement shared by the program's windows.
namespace Placement {

// Title bar without buttons.
inline constexpr Qt::WindowFlags kNoTitleButtons = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Puts the window in the middle of the screen it is on (the primary screen before it is shown).
void centreOnScreen(QWidget *window);

// Puts the window in the middle of `over` (the screen when `over` is null or hidden).
void centreOn(QWidget *window, const QWidget *over);

} // namespace Placement
