#pragma once

#include <QDialog>

class QCalendarWidget;
class QPushButton;

// The date picker: a one-use window opened by a date field. "Importa" writes the picked day as
// dd/mm/yyyy into the field of the parent window that the caller context names.
class TfrmCalendario : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    // The name of the field a caller context fills ("Al" -> "txtAl"); empty for an unknown context.
    static QString targetField(const QString &context);

private:
    void btnImportaDataClick();

    QCalendarWidget *calAppuntamenti;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
};
