#pragma once

#include "common/MsgBox.h"
#include "common/RecordArchive.h"
#include "common/RecordRules.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>

class QFrame;
class QLabel;
class QScrollArea;
class QToolButton;

// A window that shows one record of an archive at a time: the member sheet, the receipt, the card.
// A pale blue window with a toolbar of picture buttons at the top, the record's panel below it,
// both scrolling when the window is smaller than they are, and the information bar (panInfo) at
// the foot, which rests on the window's own text and shows the hint of the control under the
// pointer. The toolbar's record group holds the position label (lblPosizione) between its second
// and third button: the 1-based position of the record on show, empty for a record not yet in the
// archive. Browsing and saving follow RecordRules.
//
// Long-lived: created at start and shown again for every visit. Each showing but a return from
// the task bar is a new visit; closing hides the window and tells the main menu to take over.
class RecordWindow : public QWidget
{
    Q_OBJECT
public:
    // The record position on show ("" for a record not yet in the archive).
    QString position() const;

signals:
    // The window has closed: the main menu takes over.
    void closed();

protected:
    // The window's own texts (UTF-8).
    struct Texts
    {
        const char *name;         // the window's object name
        const char *title;        // its caption
        const char *resting;      // the information bar at rest
        const char *emptyArchive; // a browse finds no record
        QString access;           // the archive cannot be reached
    };
    RecordWindow(const Texts &texts, QWidget *parent);

    // One row of a window's button table. `place` is one of the window's own places: the first
    // ones are the toolbar's groups, left to right; the buttons of the others the window lays out
    // itself (beside a field, on a picture).
    template <typename Owner, typename Place> struct Button
    {
        const char *name;
        const char *icon; // picture :/pictures/<icon>.svg
        const char *text; // caption beside the picture, if any
        Place place;
        void (Owner::*action)(); // what a click does
        const char *hint;        // shown in the information bar
    };

    // Makes the buttons of `table`, children of the window, each calling its action on `owner`,
    // and lays out the toolbar: `groups` names the panels of its groups, which hold the buttons of
    // places 0, 1, ... in turn; the group of `record` holds the position label as well. Toolbar
    // pictures are 36 x 36 pixels, the others 20 x 20. Returns the toolbar (shpContainer).
    template <typename Owner, typename Place, std::size_t ButtonCount, std::size_t GroupCount>
    QFrame *makeToolbar(const Button<Owner, Place> (&table)[ButtonCount], Owner *owner,
                        const char *const (&groups)[GroupCount], Place record)
    {
        for (const Button<Owner, Place> &b : table) {
            const auto action = b.action;
            addButton(b.name, b.icon, b.text, b.hint, int(b.place), int(b.place) < int(GroupCount), owner,
                      [owner, action] { (owner->*action)(); });
        }
        return layToolbar(QList<const char *>(std::begin(groups), std::end(groups)), int(record));
    }

    // The buttons of one of the window's places, in table order; the button called `name`.
    template <typename Place> QList<QToolButton *> buttons(Place place) const
    {
        return m_placed.value(int(place));
    }
    QToolButton *button(const char *name) const;

    // A screen too low for the windows' ordinary spacing (a full-HD screen magnified twice, a
    // netbook): the toolbar's pictures are smaller and the windows lay out more tightly, so that
    // the whole record stays in view.
    static constexpr int kLowScreenHeight = 640;
    static bool lowScreen();

    // A frame called `name`, a panel of the window's layout.
    static QFrame *panel(const char *name, QWidget *parent);

    // The information bar: a control whose hint it shows while the pointer is over it, and panels
    // whose own area empties it. Both before layOut.
    void addHint(QWidget *control, const QString &hint);
    void addBackgrounds(std::initializer_list<QWidget *> panels);

    // Gives the window its pale blue background and lays it out: the toolbar and `content` (the
    // record's panel, which takes the spare height) in a scroll area called `scrollerName`, so
    // that below their natural size (a small screen, a large scale factor) they scroll instead of
    // falling off the screen, and the information bar at the foot. A field reached with Enter
    // comes into view like one reached with Tab.
    void layOut(const char *scrollerName, QWidget *content);

    // The position label and the position it shows: 0 for none, -1 for a text that is no position.
    QLabel *positionLabel() const { return m_position; }
    qint64 positionNumber() const;
    void setPosition(qint64 position);
    void clearPosition();

    // The archive of the window's records, as browsing and saving reach it.
    virtual RecordArchive archive() const = 0;
    // Puts the record read at 0-based `index` on show, with its position.
    virtual void showRecord(qint64 index, const QByteArray &record) = 0;
    // Tells the user that the archive cannot be reached: by a browse with `step`, or by a save
    // (no step). An error box with the window's access text, unless the window tells otherwise.
    virtual void accessError(std::optional<RecordRules::Step> step);
    // The access text in a box of `kind`; for a save that failed on a full disk, the message that
    // says so (RecordRules::saveFailureMessage).
    void showAccessError(MsgBox::Kind kind);

    // The move of a browse button: shows the record it reaches, tells the user the archive is empty
    // or cannot be read, or does nothing.
    void browse(RecordRules::Step step);

    // Saves the record on show: the field being typed in is left as leaving it would, `checked`
    // completes and checks the record and gives its bytes (nothing when a check failed and the user
    // has been told), the record is written over its place or appended, `written` follows with the
    // record's position, and the user is told. The focus goes back where it was, unless a check
    // sent it elsewhere. A record appended is made by `makeNew`, when given, inside the archive's
    // lock from the count of records then in it (see RecordRules::save).
    void save(const std::function<std::optional<QByteArray>()> &checked,
              const std::function<void(qint64 position)> &written = {},
              const RecordArchive::Maker &makeNew = {});

    // A new visit: the window starts afresh; the information bar rests again afterwards.
    virtual void startVisit() = 0;
    // The window closes: it keeps what it keeps across visits.
    virtual void endVisit() {}

    void showEvent(QShowEvent *event) final;
    void closeEvent(QCloseEvent *event) final;
    void changeEvent(QEvent *event) override;

private:
    // Tab goes through the entry fields of `content`, then its buttons, then the toolbar.
    void orderTabStops(QWidget *content);
    void addButton(const char *name, const char *icon, const char *text, const char *hint, int place,
                   bool inToolbar, QObject *owner, std::function<void()> click);
    QFrame *layToolbar(const QList<const char *> &groups, int record);

    QString m_resting;
    QString m_emptyArchive;
    QString m_access;
    QString m_saveFailure; // while a failed save is told: its message
    QMap<int, QList<QToolButton *>> m_placed;
    QList<QPair<QWidget *, QString>> m_hints;
    QList<QWidget *> m_backgrounds;
    QFrame *m_toolbar = nullptr;
    QLabel *m_position = nullptr;
    QLabel *m_info = nullptr;
    QScrollArea *m_scroller = nullptr;
    QList<QToolButton *> m_toolbarButtons; // left to right
    QPointer<QWidget> m_lastFocus;         // the control that had the focus last, in the record's view
};
