#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

class QCalendarWidget;
class QPushButton;

// The date picker: a one-use window opened by a date field, which gives itself as the target and
// writes its caller context into lblMemory. "Importa" writes the picked day as dd/mm/yyyy into the
// target field; a picker without a target writes nothing and stays open.
class TfrmCalendario : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    // The field "Importa" fills, given by the date field that opens the picker.
    void setTarget(QLineEdit *field) { m_target = field; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btnImportaDataClick();

    QCalendarWidget *calAppuntamenti;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
    QPointer<QLineEdit> m_target;
    QWidget *m_days = nullptr; // the calendar's day grid
};
