#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The access window: the first window of the run. A correct password shows the main menu; "Esci"
// ends the program; "Cambia password" passes to the change window. Long-lived.
class TfrmPassword : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    // Back from the change window: empty field, window shown, focus in the field.
    void showForEntry();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void txtPasswordChange();
    void txtPasswordEnter();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
    QPushButton *btnCambiaPassword;
};
