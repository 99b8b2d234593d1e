#pragma once

#include "members/MemberSearch.h"

#include <QDialog>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class LineDelegate;

// The member list shared by the member search and the two expiry lists: the instruction text,
// the find field txtTrova with btnTrova, the sorted list lstRecords (fixed-pitch lines with room
// for 1600 pixels and scroll bars), the double-click line, an optional count line lblTrovate, and
// the buttons btnStampa and btnChiudi. It finds text in the list, prints the list and identifies
// the member behind the selected line; the window that holds it decides where that member goes.
class MemberListPanel : public QWidget
{
    Q_OBJECT
public:
    // Receives each record whose line equals the selected one, in archive order.
    using Filler = std::function<void(qint64 index, const Member::Record &record)>;

    MemberListPanel(MemberSearch::LineKind kind, const QString &printTitle, const QString &doubleClickText,
                    bool withCountLine, QWidget *parent = nullptr);

    // Replaces the list with `sortedLines` in one go (and sets the count line, if any).
    void setLines(const QStringList &sortedLines);
    const QStringList &lines() const { return m_lines; }
    void clearList();

    // Empties the find field and the last find text.
    void resetFind();

    int selectedRow() const; // -1 when no line is selected
    void selectRow(int row);

    QLineEdit *findField() const { return m_txtTrova; }
    QListView *listView() const { return m_lstRecords; }

    void setFiller(Filler filler) { m_filler = std::move(filler); }

    // "Trova": finds the find text in the list, from the first line for a new text, from the line
    // after the selected one when the same text is asked again; the message when the list is empty.
    void findInList();
    // "Stampa": the lines on the list report page, with this list's title.
    void printList();
    // Double click: hands the records behind the selected line to the filler, then asks the
    // window to close, also when nothing was found or the archive could not be read.
    void openSelected();

signals:
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MemberSearch::LineKind m_kind;
    QString m_printTitle;
    QStringList m_lines;
    QString m_lastFind;
    Filler m_filler;

    QLineEdit *m_txtTrova;
    QPushButton *m_btnTrova;
    QListView *m_lstRecords;
    QStringListModel *m_model;
    QLabel *m_lblTrovate = nullptr;
    QPushButton *m_btnStampa;
    QPushButton *m_btnChiudi;
    LineDelegate *m_delegate;
};

// Enter on the button, while it has the focus, presses it; the button is no dialog default.
void pressOnEnter(QPushButton *button);

// The access message of the member windows.
QString memberArchiveAccessMessage();

// The yellow instruction note (imgIstruzioni) on top of a member list or of the search criteria.
QLabel *makeInstructionNote(const QString &text, QWidget *parent);

// An expiry list window: the banner, the member list built from today's date each time it is
// shown, and a double click that loads the member into the member sheet that opened it.
class ExpiryListWindow : public QDialog
{
    Q_OBJECT
public:
    ExpiryListWindow(const MemberSearch::ExpiryListInfo &list, const QString &objectName, const QString &caption,
                     QWidget *parent);

    MemberListPanel *panel() const { return m_panel; }
    // Builds the list for `today` (the window does it with the local date when shown).
    void buildList(const QDate &today);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const MemberSearch::ExpiryListInfo &m_list;
    QLabel *m_banner;
    MemberListPanel *m_panel;
};
