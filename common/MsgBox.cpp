#include "common/MsgBox.h"

#include "common/ResourceImage.h"
#include "common/TestSeam.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QTimer>

namespace MsgBox {

namespace {
TestHook &hook()
{
    return TestSeam<TestHook>::hook();
}

QMessageBox::StandardButton standardFor(Answer a)
{
    switch (a) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}
// The box's icon: the program's own vector picture, drawn at the screen's pixel density (the
// toolkit's icons are bitmaps, blurred on a magnified screen).
void setIcon(QMessageBox &box, const char *picture)
{
    const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    box.setIconPixmap(
        resourcePixmap(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(picture)), QSize(side, side)));
}
} // namespace

QString displayText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\n\r\n\r"), QStringLiteral("\n\n"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.remove(QLatin1Char('\r'));
    return t;
}

Answer show(QWidget *parent, Kind kind, const QString &text)
{
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("msgBox"));
    box.setProperty("corvallaKind", int(kind));
    box.setProperty("corvallaText", text);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox::StandardButton def = QMessageBox::Ok;
    switch (kind) {
    case Kind::Warning:
        setIcon(box, "msg_attenzione");
        box.setWindowTitle(QStringLiteral("Attenzione"));
        break;
    case Kind::Information:
        setIcon(box, "msg_informazione");
        box.setWindowTitle(QStringLiteral("Informazione"));
        break;
    case Kind::Error:
        setIcon(box, "msg_errore");
        box.setWindowTitle(QStringLiteral("Errore"));
        break;
    case Kind::Confirmation:
        setIcon(box, "msg_domanda");
        box.setWindowTitle(QStringLiteral("Conferma"));
        buttons = QMessageBox::Yes | QMessageBox::No;
        def = QMessageBox::Yes;
        break;
    case Kind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setWindowTitle(QStringLiteral("Corvalla"));
        buttons = QMessageBox::Ok;
        break;
    }
    box.setStandardButtons(buttons);
    box.setDefaultButton(def);
    box.setEscapeButton(kind == Kind::Confirmation ? QMessageBox::No
                        : kind == Kind::Plain      ? QMessageBox::Ok
                                                   : QMessageBox::Cancel);

    if (hook()) {
        QPointer<QMessageBox> guard(&box);
        const TestHook h = hook();
        QTimer::singleShot(0, &box, [guard, h, kind, text]() {
            if (!guard)
                return;
            const Answer a = h(kind, text);
            if (!guard)
                return;
            if (QAbstractButton *b = guard->button(standardFor(a)))
                b->click();
            else
                guard->reject();
        });
    }

    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return kind == Kind::Confirmation ? Answer::No : Answer::Cancel;
    }
}

void setTestHook(TestHook h)
{
    TestSeam<TestHook>::set(std::move(h));
}

} // namespace MsgBox
