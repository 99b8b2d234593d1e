#include "app/TfrmPassword.h"

#include "app/Application.h"
#include "app/PasswordField.h"
#include "app/PasswordMessages.h"
#include "app/PasswordWindow.h"
#include "app/WindowRegistry.h"
#include "common/FieldConventions.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/TextUtil.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmPassword::TfrmPassword(QWidget *parent) : QWidget(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral(" Corvalla - Autenticazione"));

    auto *picture = new PictureButton(QStringLiteral(":/pictures/password.svg"), QSize(420, 190), this);
    picture->setObjectName(QStringLiteral("imgPassword"));

    auto *prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    prompt->setObjectName(QStringLiteral("lblPassword"));
    QWidget *field =
        makePasswordField(this, txtPassword, QStringLiteral("txtPassword"), QStringLiteral("effPassword"));
    Conventions::labelField(prompt, txtPassword);

    btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    btnCambiaPassword->setAutoDefault(false);
    QHBoxLayout *buttons = PasswordWindow::makeExitAndOk(this, QStringLiteral("Esci"), cmdEsci, cmdOK);
    buttons->insertWidget(0, btnCambiaPassword);

    auto *fields = new QVBoxLayout;
    fields->addWidget(prompt);
    fields->addWidget(field);
    PasswordWindow::layOut(this, picture, fields, buttons);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &QLineEdit::returnPressed, this, &TfrmPassword::txtPasswordEnter);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::showForEntry()
{
    txtPassword->clear();
    show();
    activateWindow();
    txtPassword->setFocus();
}

void TfrmPassword::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    Placement::centreOnScreen(this);
    txtPassword->setFocus();
}

void TfrmPassword::closeEvent(QCloseEvent *event)
{
    // The access window is the process's main window: closing it ends the run.
    QWidget::closeEvent(event);
    Corvalla::endProgram();
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!trimBlanks(txtPassword->text()).isEmpty());
}

void TfrmPassword::txtPasswordEnter()
{
    if (!trimBlanks(txtPassword->text()).isEmpty())
        cmdOKClick();
}

void TfrmPassword::cmdOKClick()
{
    if (!PasswordWindow::checkTyped(this, txtPassword, PasswordMessages::readError(),
                                    PasswordMessages::wrongPassword()))
        return;
    QWidget *menu = Windows::find("TfrmAvvio");
    if (!menu)
        return;
    menu->showMaximized(); // the menu first, so that a window is always on screen
    hide();
}

void TfrmPassword::cmdEsciClick()
{
    close();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    QWidget *change = Windows::find("TfrmCambiaPassword");
    if (!change)
        return;
    change->show();
    hide();
}
