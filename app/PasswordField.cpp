#include "app/PasswordField.h"

#include "common/FieldConventions.h"

#include <QHBoxLayout>
#include <QLineEdit>

QWidget *makePasswordField(QWidget *window, QLineEdit *&field, const QString &name, const QString &band)
{
    auto *holder = new QWidget(window);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(6, 6, 6, 6);
    field = new QLineEdit(holder);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    field->setMinimumWidth(240);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    layout->addWidget(field);
    Conventions::attachHighlightBand(field, band);
    return holder;
}
