#pragma once

#include <QDialog>
#include <array>
#include <functional>

class PictureButton;
class QFrame;
class QLineEdit;
class QPushButton;

// The attachments of a member sheet: three slots, each a file name (a copy kept in
// Documenti_Allegati) and a description. The opener gives the sheet's attachments and where
// "Applica e chiudi" puts them back. One-use window.
class TfrmAllegaCartella : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *parent = nullptr);

    static constexpr int kSlots = 3;
    struct Attachment
    {
        QString file;
        QString description;
    };
    using Attachments = std::array<Attachment, kSlots>;

    // The attachments the slots show, given by the opener before the window is shown.
    void setAttachments(const Attachments &list);
    // The slots as they stand, trimmed.
    Attachments attachments() const;
    // Where "Applica e chiudi" puts the slots; without it the button only closes the window.
    void setApply(std::function<void(const Attachments &)> apply) { m_apply = std::move(apply); }

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

    QFrame *makeSlot(int i);
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

    Slot m_slots[kSlots];
    QPushButton *btnAnnulla;
    QPushButton *btnApplica;
    bool m_placed = false;
    std::function<void(const Attachments &)> m_apply;
};
