#include "app/TfrmCambiaPassword.h"

#include "app/Crypt.h"
#include "app/PasswordField.h"
#include "app/PasswordMessages.h"
#include "app/PasswordWindow.h"
#include "app/TfrmPassword.h"
#include "app/WindowRegistry.h"
#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/TextUtil.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent) : QWidget(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));

    auto *picture = new PictureButton(QStringLiteral(":/pictures/cambiapassword.svg"), QSize(420, 150), this);
    picture->setObjectName(QStringLiteral("imgCambiaPassword"));

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Vecchia password:"),
                 makePasswordField(this, txtPasswordOld, QStringLiteral("txtPasswordOld"),
                                   QStringLiteral("effPasswordOld")));
    form->addRow(QStringLiteral("Nuova password:"),
                 makePasswordField(this, txtPasswordNew, QStringLiteral("txtPasswordNew"),
                                   QStringLiteral("effPasswordNew")));
    form->addRow(
        QStringLiteral("Conferma nuova password:"),
        makePasswordField(this, txtConferma, QStringLiteral("txtConferma"), QStringLiteral("effConferma")));

    for (QLineEdit *f : {txtPasswordOld, txtPasswordNew, txtConferma})
        Conventions::labelField(qobject_cast<QLabel *>(form->labelForField(f->parentWidget())), f);

    QHBoxLayout *buttons = PasswordWindow::makeExitAndOk(this, QStringLiteral("Chiudi"), cmdEsci, cmdOK);
    PasswordWindow::layOut(this, picture, form, buttons);

    for (QLineEdit *f : {txtPasswordOld, txtPasswordNew, txtConferma})
        connect(f, &QLineEdit::textChanged, this, &TfrmCambiaPassword::fieldsChange);
    Conventions::setEnterRing(
        {{txtPasswordOld, txtPasswordNew}, {txtPasswordNew, txtConferma}, {txtConferma, txtPasswordOld}});
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    // Esc does what "Chiudi" and the close box do.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

void TfrmCambiaPassword::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    Placement::centreOnScreen(this);
    for (QLineEdit *f : {txtPasswordOld, txtPasswordNew, txtConferma})
        f->clear();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (auto *access = Windows::get<TfrmPassword>())
        access->showForEntry();
}

void TfrmCambiaPassword::fieldsChange()
{
    cmdOK->setEnabled(!trimBlanks(txtPasswordOld->text()).isEmpty() &&
                      !trimBlanks(txtPasswordNew->text()).isEmpty() &&
                      !trimBlanks(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    if (!PasswordWindow::checkTyped(this, txtPasswordOld, PasswordMessages::changeError(),
                                    PasswordMessages::wrongOldPassword()))
        return;
    // The confirmation must repeat the new password exactly, letter case included.
    if (trimBlanks(txtPasswordNew->text()) != trimBlanks(txtConferma->text())) {
        MsgBox::plain(this, PasswordMessages::notConfirmed());
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    if (!Crypt::writeStoredPassword(Crypt::normalisePassword(txtPasswordNew->text()))) {
        MsgBox::plain(this, PasswordMessages::changeError());
        return;
    }
    MsgBox::plain(this, PasswordMessages::changeDone());
    close();
}
