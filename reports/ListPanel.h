#pragma once

#include "common/ListLines.h"
#include "reports/ListReportPage.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QVBoxLayout;
class ListLineDelegate;
class ListLinesModel;

// The result list every list window shares (member search, expiry lists, receipt search, takings
// summary): the instruction text, the find field txtTrova with btnTrova, the sorted list
// lstRecords (fixed-pitch lines with room for 1600 pixels and scroll bars), the double-click line
// lblDoppioClic, an optional count line lblTrovate, and the buttons btnStampa and btnChiudi. It
// finds text in the list, prints the list on the list page, and opens the record of a row through
// the callback its window gives.
class ListPanel : public QWidget
{
    Q_OBJECT
public:
    struct Texts
    {
        QString instruction = defaultInstruction();
        // The double-click line; empty for none.
        QString doubleClick;
        // The count line, "%1" standing for the number of lines; empty for no count line.
        QString countLine;
        // The count line before the first list; empty: the count line with 0.
        QString initialCountLine;
        // The printed list: report name, title and footer.
        ListReportPage::Page page;
        // The captions of the two buttons, and the name of the one that closes the window.
        QString printButton = QStringLiteral("Stampa");
        QString closeButton = QStringLiteral("Chiudi");
        QString closeButtonName = QStringLiteral("btnChiudi");
        // Before printing: the warning that refuses to print an empty list (empty: an empty list
        // prints its title and footer), and the question whose answer No stops the printing
        // (empty: no question).
        QString emptyPrintWarning;
        QString printQuestion;

        static QString defaultInstruction();
    };

    // Opens the record at 0-based `index` of the archive the list was built from.
    using OpenRow = std::function<void(qint64 index)>;

    explicit ListPanel(const Texts &texts, QWidget *parent = nullptr);

    // Replaces the list with `sortedRows` in one go (and sets the count line, if any).
    void setRows(ListRows sortedRows);
    // The same with rows that build their lines when shown, found or printed.
    void setRows(KeptRows sortedRows);
    // Lines that stand for no record (a double click opens nothing).
    void setLines(const QStringList &sortedLines);
    // The same, `count` lines each built by `lineAt` only when it is shown, found or printed, the
    // longest with `longest` characters.
    using LineAt = std::function<QString(int row)>;
    void setLazyLines(int count, LineAt lineAt, int longest);
    // Every line of the list, and their number.
    QStringList lines() const;
    int lineCount() const;
    // The record behind a row, -1 when there is none.
    qint64 recordOf(int row) const;
    void clearList();

    // Empties the find field and the last find text.
    void resetFind();

    int selectedRow() const; // -1 when no line is selected
    void selectRow(int row);

    QLineEdit *findField() const { return m_txtTrova; }
    QListView *listView() const { return m_lstRecords; }

    void setOpenRow(OpenRow open) { m_open = std::move(open); }
    void setPrintTitle(const QString &title) { m_texts.page.title = title; }
    // Lines printed after the list's own (a total, say); none by default.
    void setPrintTrailer(const QStringList &lines) { m_printTrailer = lines; }
    // Keeps the last find text in `store` instead of in the panel, so that several windows, one
    // after the other, share it; `store` must outlive the panel.
    void setLastFindStore(QString *store) { m_lastFind = store ? store : &m_ownLastFind; }
    // Puts `footer` under the list, above the buttons.
    void setFooter(QWidget *footer);

    // "Trova": finds the find text in the list, from the first line for a new text, from the line
    // after the selected one when the same text is asked again; the message when the list is empty.
    void findInList();
    // "Stampa": the lines on the list report page.
    void printList();
    // Double click: opens the record of the selected row (exactly that one, whatever other rows
    // read the same), then asks the window to close, also when there was nothing to open. A
    // panel without an open-this-row callback ignores double clicks.
    void openSelected();

signals:
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Texts m_texts;
    QStringList m_lines;
    std::vector<qint64> m_records;
    std::shared_ptr<const KeptRows> m_kept;
    QString m_ownLastFind;
    QString *m_lastFind = &m_ownLastFind;
    QStringList m_printTrailer;
    OpenRow m_open;

    QLineEdit *m_txtTrova;
    QPushButton *m_btnTrova;
    QListView *m_lstRecords;
    ListLinesModel *m_model;
    QLabel *m_lblTrovate = nullptr;
    QPushButton *m_btnStampa;
    QPushButton *m_btnChiudi;
    QVBoxLayout *m_layout;
    ListLineDelegate *m_delegate;
};

// Enter on the button, while it has the focus, presses it; the button is no dialog default.
void pressOnEnter(QPushButton *button);

// The yellow instruction note (imgIstruzioni) on top of a list or of search criteria.
QLabel *makeInstructionNote(const QString &text, QWidget *parent);
