#include "app/PasswordWindow.h"

#include "app/Crypt.h"
#include "common/MsgBox.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace PasswordWindow {

QHBoxLayout *makeExitAndOk(QWidget *window, const QString &exitText, QPushButton *&exit, QPushButton *&ok)
{
    exit = new QPushButton(exitText, window);
    exit->setObjectName(QStringLiteral("cmdEsci"));
    ok = new QPushButton(QStringLiteral("OK"), window);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setEnabled(false);
    for (QPushButton *b : {exit, ok})
        b->setAutoDefault(false);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(exit);
    row->addWidget(ok);
    return row;
}

void layOut(QWidget *window, QWidget *picture, QLayout *fields, QLayout *buttons)
{
    auto *layout = new QVBoxLayout(window);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

bool checkTyped(QWidget *window, QLineEdit *field, const QString &readError, const QString &wrong)
{
    const std::optional<QString> stored = Crypt::readStoredPassword();
    if (!stored) {
        MsgBox::plain(window, readError);
        return false;
    }
    const QString typed = Crypt::normalisePassword(field->text());
    if (typed.isEmpty())
        return false;
    if (typed != *stored) {
        MsgBox::plain(window, wrong);
        field->clear();
        field->setFocus();
        return false;
    }
    return true;
}

} // namespace PasswordWindow
