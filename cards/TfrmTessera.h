#pragma once

#include "common/RecordWindow.h"
#include "records/MemberChoiceTarget.h"
#include "records/MemberRecord.h"

#include <QImage>

// The card window: the "Stampa Tessere" work area. Shows one membership card as it will print:
// the association's texts and logo (kept in Tesserini.ini and Anagrafica/Logo.bmp) and one
// member's data and photo, read from the member archive, never written. Long-lived: created at
// start, shown from the main menu, which it shows again when it closes.
// The member search opened from the card (caller context "tessera") hands the chosen member to it.
// The member archive's windows are not known here: the program gives the way to open the search.
class TfrmTessera : public RecordWindow, public MemberChoiceTarget
{
    Q_OBJECT
public:
    explicit TfrmTessera(QWidget *parent = nullptr);

    // The member chosen in the member search opened from the card: the five member texts
    // (trimmed), the position and the member's photo.
    void takeMember(qint64 position, const Member::Record &record) override;
    // How "Trova" opens the member search; given by the program when it starts.
    void setMemberSearch(MemberSearchOpener open);

    // The logo and the member's photo on the card.
    QImage logo() const;
    QImage photo() const;

    // Stores the logo on show as the card logo file and shows what was stored; when it could not be
    // stored the logo on show stays as it is.
    void saveLogo();

private:
    RecordArchive archive() const override;
    void showRecord(qint64 index, const QByteArray &record) override;
    void startVisit() override;
    void endVisit() override;

    struct Ui;
    Ui *ui; // owned by the window (a child object)
};
