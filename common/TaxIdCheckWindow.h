#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// What the tax code check and the VAT number check share: a window with an optional heading
// picture, an instruction, one large entry field, "Controlla" and "Chiudi". It opens centred on
// its screen with the field focused; Controlla runs the check of the subclass.
class TaxIdCheckWindow : public QDialog
{
    Q_OBJECT
protected:
    struct Texts
    {
        const char *objectName;
        const char *caption;
        const char *heading; // resource picture over the instruction, or nullptr
        const char *instruction;
        const char *fieldName;
        int fieldLength;
    };

    TaxIdCheckWindow(const Texts &texts, QWidget *parent);

    void showEvent(QShowEvent *event) override;
    // Checks the field's text and reports the result.
    virtual void check() = 0;

    QLineEdit *const field;
    QPushButton *const btnControlla;
    QPushButton *const btnChiudi;
};
