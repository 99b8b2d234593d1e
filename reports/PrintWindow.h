#pragma once

#include "reports/Report.h"

#include <QDialog>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The small print and preview window every printable window opens (member sheet, receipt, card):
// a picture, the instructions, the main button ("Stampa" or "Mostra anteprima") and "Annulla".
// The main button asks the window's prepare callback to fill the page design and lay it out,
// then previews or prints the result and closes; any failure shows the window's warning first.
class PrintWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Output
    {
        Preview,
        Print
    };

    struct Texts
    {
        const char *objectName;
        const char *caption;
        const char *mainButton;
        const char *heading;
        const char *explanation;
        const char *instruction;
        const char *picture; // resource of the large picture beside the instructions
        const char *failure; // the warning shown when anything fails
    };

    // Fills the design and lays it out into `out`; false, with the reason, on a failure.
    using Prepare = std::function<bool(Reports::PreparedReport *out, QString *error)>;

    PrintWindow(Output output, const Texts &texts, QWidget *parent = nullptr);

    void setPrepare(Prepare prepare) { m_prepare = std::move(prepare); }
    // Called each time the window is shown (not when it comes back from the task bar), before it
    // appears: the place to take what the page needs from the opener at that moment.
    void setOnShow(std::function<void()> onShow) { m_onShow = std::move(onShow); }

    // Controls of the window's own between the instructions and the buttons (the window takes it).
    void setContent(QWidget *content);
    // A busy text (lblAttendere) beside the buttons: shown as soon as the mouse button goes down
    // on the main button, hidden again once the page is prepared.
    void setBusyText(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnStampaClick();
    void showBusyText();

    Output m_output;
    Texts m_texts;
    Prepare m_prepare;
    std::function<void()> m_onShow;
    QLabel *m_picture = nullptr;
    QPushButton *m_btnStampa = nullptr;
    QPushButton *m_btnAnnulla = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QHBoxLayout *m_buttons = nullptr;
};
