#pragma once

#include <QDialog>

class PictureButton;
class QLineEdit;
class QPushButton;

// The attachments of a member sheet: three slots, each a file name (a copy kept in
// Documenti_Allegati) and a description, written back to the sheet on "Applica e chiudi"
// (caller context "tiratori"). One-use window.
class TfrmAllegaCartella : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *parent = nullptr);

    static constexpr int kSlots = 3;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Slot
    {
        QLineEdit *txtFile = nullptr;
        QLineEdit *txtDesc = nullptr;
        QPushButton *btnSfoglia = nullptr;
        QPushButton *btnApri = nullptr;
        PictureButton *imgCancella = nullptr;
    };

    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

    Slot m_slots[kSlots];
    QPushButton *btnAnnulla;
    QPushButton *btnApplica;
    bool m_filled = false;
};
