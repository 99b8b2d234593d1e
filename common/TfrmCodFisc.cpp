#include "common/TfrmCodFisc.h"

#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/TaxCode.h"
#include "common/TextUtil.h"
#include "common/TfrmPartitaIva.h"
#include "common/VatNumber.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

TfrmCodFisc::TfrmCodFisc(QWidget *parent)
    : TaxIdCheckWindow({"TfrmCodFisc", " Controllo codice fiscale", ":/pictures/codfisc_titolo.svg",
                        "Immettere il codice fiscale e premere il pulsante di controllo.", "txtCodFisc",
                        TaxCode::kLength},
                       parent)
{
    Conventions::setUpperCaseWhileTyping(field);
    Conventions::setEnterTarget(field, btnControlla);
}

void TfrmCodFisc::setCode(const QString &code)
{
    field->setText(code);
}

void TfrmCodFisc::check()
{
    switch (TaxCode::check(upperAZ(field->text()))) {
    case TaxCode::Result::WrongLength:
        MsgBox::warning(this,
                        QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                                       "alfanumerici."));
        field->setFocus();
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
