#include "common/TfrmPartitaIva.h"

#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/TextUtil.h"
#include "common/VatNumber.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent)
    : TaxIdCheckWindow({"TfrmPartitaIva", " Controllo partita IVA", nullptr,
                        "Immettere il numero di partita IVA e premere il pulsante di controllo.",
                        "txtPartitaIva", VatNumber::kLength},
                       parent)
{
    // Digits only from the keyboard; Enter moves on to the check.
    Conventions::setCharacterFilter(field, QStringLiteral("0123456789"), btnControlla);
}

void TfrmPartitaIva::setNumber(const QString &number)
{
    // A longer text handed over (a tax-code box holds 16 characters) is shown and checked whole;
    // the field then takes that many characters.
    field->setMaxLength(qMax(VatNumber::kLength, int(number.size())));
    field->setText(number);
}

void TfrmPartitaIva::check()
{
    const QString number = upperAZ(field->text());
    switch (VatNumber::check(number)) {
    case VatNumber::Result::WrongLength:
        MsgBox::warning(this,
                        QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri "
                                       "numerici."));
        field->setFocus();
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
