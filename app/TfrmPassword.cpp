#include "app/TfrmPassword.h"

#include "app/Application.h"
#include "app/Crypt.h"
#include "app/PasswordField.h"
#include "app/PasswordMessages.h"
#include "app/PictureButton.h"
#include "app/Placement.h"
#include "app/WindowRegistry.h"
#include "common/MsgBox.h"
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

    btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);
    for (QPushButton *b : {btnCambiaPassword, cmdEsci, cmdOK})
        b->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnCambiaPassword);
    buttons->addStretch(1);
    buttons->addWidget(cmdEsci);
    buttons->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    layout->addWidget(prompt);
    layout->addWidget(field);
    layout->addSpacing(6);
    layout->addLayout(buttons);

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
    const std::optional<QString> stored = Crypt::readStoredPassword();
    if (!stored) {
        MsgBox::plain(this, PasswordMessages::readError());
        return;
    }
    const QString typed = Crypt::normalisePassword(txtPassword->text());
    if (typed.isEmpty())
        return;
    if (typed != *stored) {
        MsgBox::plain(this, PasswordMessages::wrongPassword());
        txtPassword->clear();
        txtPassword->setFocus();
        return;
    }
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
