#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// A masked, bold password field in a holder that leaves room around it for its highlight band.
// Returns the holder to put in the layout; the field comes back through `field`.
QWidget *makePasswordField(QWidget *window, QLineEdit *&field, const QString &name, const QString &band);
