#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The change window: old password, new password and its confirmation. Whenever it closes, the
// access window comes back for a fresh login. Long-lived.
class TfrmCambiaPassword : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fieldsChange();
    void cmdOKClick();

    QLineEdit *txtPasswordOld;
    QLineEdit *txtPasswordNew;
    QLineEdit *txtConferma;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
};
