#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The receipt year menu: the way into the receipts work area. The user types a four-digit year
// and "Apri" hands that year's file to the receipt window. Long-lived: created at start, shown
// from the main menu; on closing it shows the receipt window when a year was opened, the main
// menu otherwise.
class TfrmMenuRicevute : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMenuRicevute(QWidget *parent = nullptr);

signals:
    // The window has closed without opening a year: the main menu takes over.
    void closed();
    // The window has closed after "Apri": the receipt window takes over with this year.
    void yearOpened(const QString &year);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void btnApriPreventiviClick();
    void imgGuidaClick();

    QLineEdit *txtAnnoPreventivi;
    QPushButton *btnApriPreventivi;
    QString m_openedYear; // the year "Apri" opened during this visit; empty until then
};
