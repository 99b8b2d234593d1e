#include "common/TfrmCodFisc.h"

#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/TaxCode.h"
#include "common/TextUtil.h"
#include "common/TfrmPartitaIva.h"
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

TfrmCodFisc::TfrmCodFisc(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmCodFisc"));
    setWindowTitle(QStringLiteral(" Controllo codice fiscale"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("imgTitolo"));
    heading->setPixmap(QPixmap::fromImage(resourceImage(QStringLiteral(":/pictures/codfisc_titolo.svg"))));
    heading->setAlignment(Qt::AlignCenter);

    auto *instruction =
        new QLabel(QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."), this);
    instruction->setObjectName(QStringLiteral("lblIstruzioni"));

    txtCodFisc = new QLineEdit(this);
    txtCodFisc->setObjectName(QStringLiteral("txtCodFisc"));
    txtCodFisc->setMaxLength(TaxCode::kLength);
    txtCodFisc->setFont(QFont(QStringLiteral("Courier New"), 20, QFont::Bold));
    txtCodFisc->setAlignment(Qt::AlignCenter);

    btnControlla = new QPushButton(QStringLiteral("Controlla"), this);
    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnControlla);
    buttons->addWidget(btnChiudi);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(instruction);
    layout->addWidget(txtCodFisc);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Conventions::setUpperCaseWhileTyping(txtCodFisc);
    Conventions::setEnterTarget(txtCodFisc, btnControlla);
    connect(btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCodFisc::setCode(const QString &code)
{
    txtCodFisc->setText(code);
}

void TfrmCodFisc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    txtCodFisc->setFocus();
}

void TfrmCodFisc::btnControllaClick()
{
    switch (TaxCode::check(upperAZ(txtCodFisc->text()))) {
    case TaxCode::Result::WrongLength:
        MsgBox::warning(this,
                        QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                                       "alfanumerici."));
        txtCodFisc->setFocus();
        return;
    case TaxCode::Result::Valid:
        MsgBox::information(this, QStringLiteral("Il codice fiscale digitato è VALIDO."));
        break;
    case TaxCode::Result::Invalid:
        MsgBox::warning(this, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
        break;
    }
    accept();
}

void openTaxCodeCheck(QWidget *caller, const QString &code)
{
    QPointer<TfrmCodFisc> window = new TfrmCodFisc(caller);
    window->setCode(code);
    window->exec();
    delete window.data();
}

void openTaxIdCheck(QWidget *caller, const QString &text)
{
    const QString t = trimBlanks(text);
    if (VatNumber::looksLikeVatNumber(t))
        openVatNumberCheck(caller, t);
    else
        openTaxCodeCheck(caller, t);
}
