#pragma once

#include "common/RecordWindow.h"
#include "members/MemberSheetDialog.h"
#include "records/MemberChoiceTarget.h"
#include "records/MemberRecord.h"

#include <QImage>

class QLabel;
class QLineEdit;

// The member sheet: the "Archivio Iscritti" work area. Shows one member record with its photo;
// the only window that writes the member archive. Long-lived: created at start, shown from the
// main menu, which it shows again when it closes.
class TfrmTiratori : public RecordWindow, public MemberChoiceTarget, public MemberSheetSource
{
    Q_OBJECT
public:
    explicit TfrmTiratori(QWidget *parent = nullptr);

    // The 26 entry fields and the six attachment labels as a record.
    Member::Record sheetRecord() const override;
    // The photo on the sheet, at the size it was loaded or captured (null before the first visit).
    QImage photo() const override;

    // A member chosen in the member search or an expiry list goes on the sheet, with its position
    // and photo.
    void takeMember(qint64 position, const Member::Record &record) override;

    // The entry field or hidden label called `name` (txtTiratore ... lblDesc03, lblPosizione).
    QLineEdit *field(const QString &name) const;
    QLabel *label(const QString &name) const;

private:
    RecordArchive archive() const override;
    void showRecord(qint64 index, const QByteArray &record) override;
    void startVisit() override;

    struct Ui;
    Ui *ui; // owned by the window (a child object)
};
