#pragma once

#include "common/RecordWindow.h"
#include "records/MemberChoiceTarget.h"
#include "records/ReceiptRecord.h"

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

// The receipt window: the "Stampa Ricevute" work area. Shows one receipt of the year file that the
// year menu opened; the only window that writes a year file. Long-lived: created at start, shown
// by the year menu, it shows the main menu again when it closes.
//
// The amount in words and the cents copy always follow the euros and cents boxes, however their
// text changes (typing, paste, drop, a loaded receipt), so figures and words never disagree.
class TfrmRicevuta : public RecordWindow, public MemberChoiceTarget
{
    Q_OBJECT
public:
    explicit TfrmRicevuta(QWidget *parent = nullptr);

    // The year menu's hand-over: the year file becomes program folder + year + ".ric" and the
    // caption names the year.
    void openYear(const QString &year);
    // The year file of the receipts on show (hidden label lblFile).
    QString yearFilePath() const;

    // The receipt on show, saved or not: the window's 20 receipt texts as they stand.
    Receipt::Record currentReceipt() const;
    // Shows the receipt at 0-based `index` of the year file: its 20 texts, trimmed, and the record
    // position index + 1.
    void showReceipt(qint64 index, const Receipt::Record &receipt);

    // How the red arrow opens the member search; given by the program when it starts.
    void setMemberSearch(MemberSearchOpener open) { m_memberSearch = std::move(open); }
    // The payer import: a member chosen in the member search fills the payer and practitioner
    // fields (Receipt::kPayerImport), trimmed; nothing else changes.
    void takeMember(qint64 position, const Member::Record &member) override;

    // The entry field (txtNumRic ... txtCents) or label (txtImpLettere, txtCentLettere, txtIntero,
    // lblPosizione, lblFile, lblInizio) called `name`; nullptr for any other name.
    QLineEdit *field(const QString &name) const;
    QLabel *label(const QString &name) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdTrovaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsportaClick();
    void cmdNumerazioneClick();
    void cmdLogoClick();
    void impPagatoreClick();
    void btnCodFiscClick();
    void cmdGuidaClick();
    void cmdEsciClick();

private:
    RecordArchive archive() const override;
    void showRecord(qint64 index, const QByteArray &record) override;
    void accessError(std::optional<RecordRules::Step> step) override;
    void startVisit() override;
    void endVisit() override;

    // Building the window, part by part.
    void build();
    void makeFields();
    void makeButtons();
    QFrame *makeReceipt(QWidget *parent);
    void layHeadingAndBody(QFrame *heading, QFrame *body);
    void makeAmount(QFrame *parent);
    void applyConventions();

    QString textOf(int field) const;
    void setTextOf(int field, const QString &text);
    // Empties the receipt as a new one (receiver lines and number aside): issue date today,
    // cents "00", whole amount `whole`, no position; the focus goes to the payer.
    void clearReceipt(const QString &whole);
    // The receipt to save, its amount completed first; nothing when a check fails.
    std::optional<Receipt::Record> checkedReceipt();
    void showLogo();
    void fitWords();

    std::array<QLineEdit *, Receipt::FieldCount> m_entries{}; // nullptr for the three label fields
    std::array<QLabel *, Receipt::FieldCount> m_labels{};     // the words, cents copy, whole amount
    QLabel *lblFile = nullptr;
    QLabel *lblInizio = nullptr;
    QWidget *bkgLettere = nullptr;
    QToolButton *cmdLogo = nullptr;
    MemberSearchOpener m_memberSearch;
    QString m_givenNumber; // the number Nuovo gave the receipt on show, until it is stored
};
