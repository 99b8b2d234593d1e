#pragma once

#include "cards/CardPage.h"
#include "cards/CardSettings.h"
#include "records/MemberChoiceTarget.h"
#include "records/MemberRecord.h"

#include <QImage>
#include <QWidget>

class QLabel;

// The card window: the "Stampa Tessere" work area. Shows one membership card as it will print:
// the association's texts and logo (kept in Tesserini.ini and Anagrafica/Logo.bmp) and one
// member's data and photo, read from the member archive, never written. Long-lived: created at
// start, shown from the main menu, which it shows again when it closes.
// The member search opened from the card (caller context "tessera") hands the chosen member to it.
// The member archive's windows are not known here: the program gives the way to open the search.
class TfrmTessera : public QWidget, public MemberChoiceTarget
{
    Q_OBJECT
public:
    explicit TfrmTessera(QWidget *parent = nullptr);

    // The member part back to its placeholders: texts, placeholder photo, no position.
    void resetMember();
    // Puts a member of the archive on the card: the five member texts (trimmed), the position and
    // the member's photo. Used by browsing and by the member search.
    void showMember(const Member::Record &record, qint64 position);
    // The member chosen in the member search opened from the card.
    void takeMember(qint64 position, const Member::Record &record) override;
    // How "Trova" opens the member search; given by the program when it starts.
    void setMemberSearch(MemberSearchOpener open);

    // What the card shows now, as printing and previewing take it.
    CardPage::Content content() const;

    CardSettings::Association association() const;
    void setAssociation(const CardSettings::Association &texts);

    QString position() const; // "" while no member is on show
    QImage logo() const;
    QImage photo() const;
    void setLogo(const QImage &logo);

    // Stores the logo on show as the card logo file and shows what was stored; when it could not be
    // stored the logo on show stays as it is.
    void saveLogo();

signals:
    // The window has closed: the main menu takes over.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Ui;
    Ui *ui; // owned by the window (a child object)
};
