#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class QLineEdit;
class QLabel;
class QWidget;

// The entry-field behaviours the work windows share: focus colours, highlight bands, the Enter
// ring, typing rules, date-picker fields, character filters and the information bar.
namespace Conventions {

// Colours (ARGB).
inline const QColor kOptionalColour = QColor(0xF0, 0xF8, 0xFF); // AliceBlue
inline const QColor kRequiredColour = QColor(0xF5, 0xF5, 0xDC); // Beige
inline const QColor kFocusColour = QColor(0xFF, 0xFF, 0x00);    // Yellow
inline const QColor kBorderColour = QColor(0x87, 0xCE, 0xEB);   // SkyBlue
// The information bar: a line of white text on a blue band.
inline const QColor kInfoBarColour = QColor(0x1F, 0x4A, 0xB8);
inline const QColor kInfoBarTextColour = QColor(0xFF, 0xFF, 0xFF);

// Field colouring: the resting background now and whenever the field loses the focus, yellow while
// it has it; the border always sky blue. `onExit` (optional) runs after the repaint on focus loss.
void applyFieldColour(QLineEdit *field, const QColor &resting, std::function<void()> onExit = {});
// The background the field currently shows (for tests and checks).
QColor fieldBackground(const QLineEdit *field);

// Highlight band: a yellow band named `bandName`, slightly larger than the field and behind it,
// visible exactly while the field has the focus. Returns the band.
QWidget *attachHighlightBand(QLineEdit *field, const QString &bandName);

// Enter ring: Enter (Return or keypad Enter) in each `from` moves the focus to its `to`.
// Other keys are left alone.
void setEnterRing(const QList<QPair<QWidget *, QWidget *>> &ring);
void setEnterTarget(QWidget *from, QWidget *to);

// Typing rules: after every edit the whole text becomes its trimmed, A-Z upper-cased self, or its
// trimmed self.
void setUpperCaseWhileTyping(QLineEdit *field);
void setTrimWhileTyping(QLineEdit *field);

// Date-picker field: read-only; Enter moves to `next`, Backspace and Delete empty it, any other key
// opens a fresh date picker (TfrmCalendario) over the field's window with `context`, modally,
// and destroys it afterwards.
void makeDatePickerField(QLineEdit *field, const QString &context, QWidget *next);

// Character filter: lets through Enter (to `next`), Backspace, Delete, Left and Right, and keys
// that type one of `allowed`; ignores every other key.
void setCharacterFilter(QLineEdit *field, const QString &allowed, QWidget *next);

// Amount field: the character filter for digits and the decimal comma, which is typed once at
// most; entering the field by Tab or a click selects its text, so that typing replaces it.
void makeAmountField(QLineEdit *field, QWidget *next);

// Text that reaches the field other than by a key (pasted, dropped) is refused as a whole unless
// every character is one of `allowed`. Texts that the program sets itself are not examined.
void refuseOtherCharacters(QLineEdit *field, const QString &allowed);

// Ends the editing of the window's focused entry field as leaving it would: its colour and exit
// rules run before a button reads the fields, even when the window is not the active one.
// Returns the field (nullptr when none had the focus), to give the focus back afterwards.
QWidget *endEditing(QWidget *window);

// Information bar: `bar` shows `restingText` now, the hint of a control while the pointer moves
// over it, and nothing once the pointer moves over one of the background widgets.
// Screen readers: `label` becomes the buddy label of `field`, and the field is named after it also
// when it sits in a holder of its own (a screen reader finds a buddy only among the field's
// siblings).
void labelField(QLabel *label, QWidget *field);

void setupInfoBar(QLabel *bar, const QString &restingText, const QList<QPair<QWidget *, QString>> &hints,
                  const QList<QWidget *> &backgrounds);

} // namespace Conventions
