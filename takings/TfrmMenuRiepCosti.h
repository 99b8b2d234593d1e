#pragma once

#include <QWidget>
#include <utility>

class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The takings summary work area: the year, the start and end of the interval chosen from lists and
// the optional payer and activity filters. "Visualizza riepilogo" checks the choice and opens the
// summary list over the year file. Long-lived: created at start, shown from the main menu, which
// it shows again when it closes; every showing starts afresh.
class TfrmMenuRiepCosti : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget *parent = nullptr);

signals:
    // The window has closed: the main menu takes over.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window, part by part.
    QFrame *makeSheet();
    QGridLayout *makeFilters(QWidget *parent);
    std::pair<QGroupBox *, QGroupBox *> makeInterval(QWidget *parent);
    QHBoxLayout *makeButtons(QWidget *parent);
    void setUpKeys();

    // The state of every showing: empty filters and lists, the current year, focus on the payer.
    void reset();
    void btnVisualizzaMouseDown();
    void btnVisualizzaClick();
    void txtAnnoChange();

    QLineEdit *txtAnno;
    QLineEdit *txtEsecutore;
    QLineEdit *txtCCP;
    QComboBox *txtGiornoInizio;
    QComboBox *txtMeseInizio;
    QComboBox *txtGiornoFine;
    QComboBox *txtMeseFine;
    QLabel *lblAnnoInizio;
    QLabel *lblAnnoFine;
    QLabel *lblDataInizio;
    QLabel *lblDataFine;
    QLabel *lblFile;
    QLabel *lblAttendere;
    QPushButton *btnVisualizza;
    QPushButton *btnEsci;
};
