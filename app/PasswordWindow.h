#pragma once

#include <QString>

class QHBoxLayout;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// What the access window and the change window have in common.
namespace PasswordWindow {

// The exit button (cmdEsci, showing `exitText`) and "OK" (cmdOK, off until there is something to
// check), at the right of the returned row. Enter belongs to the fields, so neither is a default.
QHBoxLayout *makeExitAndOk(QWidget *window, const QString &exitText, QPushButton *&exit, QPushButton *&ok);

// `picture` centred on top, then `fields`, then `buttons`; the window keeps the size of its contents.
void layOut(QWidget *window, QWidget *picture, QLayout *fields, QLayout *buttons);

// Checks the password typed in `field` against the stored one. A store that cannot be read shows
// `readError`; a different password shows `wrong` and empties the field for another try; a blank
// field checks nothing. True only when they match.
bool checkTyped(QWidget *window, QLineEdit *field, const QString &readError, const QString &wrong);

} // namespace PasswordWindow
