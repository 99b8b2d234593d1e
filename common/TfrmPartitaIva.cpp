#include "common/TfrmPartitaIva.h"

#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/TextUtil.h"
#include "common/VatNumber.h"

#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmPartitaIva"));
    setWindowTitle(QStringLiteral(" Controllo partita IVA"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *instruction = new QLabel(
        QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."), this);
    instruction->setObjectName(QStringLiteral("lblIstruzioni"));

    txtPartitaIva = new QLineEdit(this);
    txtPartitaIva->setObjectName(QStringLiteral("txtPartitaIva"));
    txtPartitaIva->setMaxLength(VatNumber::kLength);
    txtPartitaIva->setFont(QFont(QStringLiteral("Courier New"), 20, QFont::Bold));
    txtPartitaIva->setAlignment(Qt::AlignCenter);

    btnControlla = new QPushButton(QStringLiteral("Controlla"), this);
    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnControlla);
    buttons->addWidget(btnChiudi);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addWidget(txtPartitaIva);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Digits only from the keyboard; Enter moves on to the check.
    Conventions::setCharacterFilter(txtPartitaIva, QStringLiteral("0123456789"), btnControlla);
    connect(btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPartitaIva::setNumber(const QString &number)
{
    txtPartitaIva->setText(number);
}

void TfrmPartitaIva::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    txtPartitaIva->setFocus();
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = upperAZ(txtPartitaIva->text());
    switch (VatNumber::check(number)) {
    case VatNumber::Result::WrongLength:
        MsgBox::warning(this,
                        QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri "
                                       "numerici."));
        txtPartitaIva->setFocus();
        return;
    case VatNumber::Result::Valid:
        MsgBox::information(
            this, QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato "
                                 "rilasciato dall'Ufficio IVA del Comune di ") +
                      VatNumber::officeName(VatNumber::officeCode(number)) + QLatin1Char('.'));
        break;
    case VatNumber::Result::Invalid:
        MsgBox::warning(
            this, QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon "
                                 "è quindi possibile fornire informazioni relative all'Ufficio IVA che lo "
                                 "ha rilasciato."));
        break;
    }
    accept();
}

void openVatNumberCheck(QWidget *caller, const QString &number)
{
    QPointer<TfrmPartitaIva> window = new TfrmPartitaIva(caller);
    window->setNumber(number);
    window->exec();
    delete window.data();
}
