#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

// The numbering window: sets the start number of the automatic receipt numbering (the number the
// first receipt of an empty year file gets). One-use window opened by the receipt window, which
// gives it where the start number is kept (Ricevute_Generiche.ini); without that it neither reads
// nor writes a start number.
class TfrmNumerazione : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmNumerazione(QWidget *parent = nullptr);

    // Where the start number is read when the window is shown and written by "Applica".
    struct StartNumberStore
    {
        std::function<QString()> read;
        std::function<bool(const QString &)> write; // false when it could not be kept
    };
    void setStore(StartNumberStore store) { m_store = std::move(store); }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtInizioExit();
    void btnApplicaClick();

    QLineEdit *txtInizio;
    QPushButton *btnAnnulla;
    QPushButton *btnApplica;
    StartNumberStore m_store;
};
