#pragma once

#include <QString>

class QLabel;
class QWidget;

// The caller context of a one-use window: a short text in its hidden label lblMemory, written by
// the caller after creating the window and before showing it, naming where the result goes.
// Comparisons are exact and case-sensitive.
QLabel *addCallerContextLabel(QWidget *window); // the window's hidden lblMemory
void setCallerContext(QWidget *window, const QString &context);
QString callerContext(const QWidget *window);
