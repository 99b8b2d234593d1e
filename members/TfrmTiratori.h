#pragma once

#include "members/MemberSheetDialog.h"
#include "records/MemberChoiceTarget.h"
#include "records/MemberRecord.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QLineEdit;
class PictureBox;

// The member sheet: the "Archivio Iscritti" work area. Shows one member record with its photo;
// the only window that writes the member archive. Long-lived: created at start, shown from the
// main menu, which it shows again when it closes.
class TfrmTiratori : public QWidget, public MemberChoiceTarget, public MemberSheetSource
{
    Q_OBJECT
public:
    explicit TfrmTiratori(QWidget *parent = nullptr);

    // Empty sheet: all fields empty but the fee ("0,00"), no attachments, placeholder photo,
    // no position, focus in txtTiratore.
    void clearSheet();
    // Sets the 26 entry fields and the six attachment labels from the record (fee not normalised).
    void fillSheet(const Member::Record &record);
    // The 26 entry fields and the six attachment labels as a record.
    Member::Record sheetRecord() const override;

    // Puts a record from the archive on the sheet: fill sheet, position label, member photo.
    // Used by the member search and the expiry lists.
    void showMember(const Member::Record &record, qint64 position);

    // A member chosen in the member search or an expiry list goes on the sheet.
    void takeMember(qint64 position, const Member::Record &record) override { showMember(record, position); }

    // The record position on show ("" for a new sheet).
    QString position() const;

    // The photo on the sheet, at the size it was loaded or captured.
    QImage photo() const override;
    void setPhoto(const QImage &photo);
    // Photo of a record position into the sheet (placeholder when it cannot be read).
    void loadMemberPhoto(const QString &position);
    // The sheet's photo to the photo file of a record position; never stops a save. When it cannot
    // be written the user is told and the file keeps its previous photo.
    void saveMemberPhoto(const QString &position);

    // The entry field or hidden label called `name` (txtTiratore ... lblDesc03, lblPosizione).
    QLineEdit *field(const QString &name) const;
    QLabel *label(const QString &name) const;

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
