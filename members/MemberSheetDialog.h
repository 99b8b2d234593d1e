#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

// What the member sheet's preview and print windows share: they take the sheet's photo when shown
// and, on their main button, fill the member sheet page from the fields the sheet shows at that
// moment, then preview or print it and close. The parent is the member sheet (TfrmTiratori).
class MemberSheetDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Output { Preview, Print };

    struct Texts
    {
        const char *objectName;
        const char *caption;
        const char *mainButton;
        const char *heading;
        const char *explanation;
        const char *instruction;
        const char *picture; // resource of the large picture beside the instructions
        const char *failure; // the warning shown when anything fails
    };

    // The photo the window took from the sheet when it was shown.
    const QImage &photo() const { return m_photo; }

protected:
    MemberSheetDialog(Output output, const Texts &texts, QWidget *parent);

    void showEvent(QShowEvent *event) override;

private:
    void btnStampaClick();

    Output m_output;
    Texts m_texts;
    QImage m_photo;
    QLabel *m_picture = nullptr;
    QPushButton *m_btnStampa = nullptr;
    QPushButton *m_btnAnnulla = nullptr;
};
