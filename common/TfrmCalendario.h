#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

class QCalendarWidget;
class QPushButton;

// The date picker: a one-use window opened by a date field. "Importa" writes the picked day as
// dd/mm/yyyy into its target field: the date field that opened it, or, when it was opened with a
// caller context only, the field of the parent window that the context names.
class TfrmCalendario : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    // The name of the field a caller context fills ("Al" -> "txtAl"); empty for an unknown context.
    static QString targetField(const QString &context);

    // The field "Importa" fills, given by the date field that opens the picker.
    void setTarget(QLineEdit *field) { m_target = field; }

private:
    void btnImportaDataClick();

    QCalendarWidget *calAppuntamenti;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
    QPointer<QLineEdit> m_target;
};
