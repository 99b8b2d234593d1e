// Screen readers: every control a user can reach in every window of the program, the windows of
// the set and the one-use windows, has an accessible name (what a screen reader says of it), and
// a field's name is the text of the label beside it.
#include "TestSupport.h"

#include "AllWindows.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// A control of its own that the user reaches: it takes the focus with Tab or a click, and is
// not a part of another control (the field inside a combo box, a view's scroll bars).
bool reachable(const QWidget *w, const QWidget *window)
{
    if (!(w->focusPolicy() & Qt::TabFocus) && !(w->focusPolicy() & Qt::ClickFocus))
        return false;
    if (!w->isVisibleTo(window) || qobject_cast<const QScrollBar *>(w))
        return false;
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) ||
            qobject_cast<const QCalendarWidget *>(p))
            return false;
    return true;
}

// "TfrmX: ctlName (QLineEdit)" for each reachable control of `window` without a name.
QStringList unnamedControls(const char *windowName, QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!reachable(w, window))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1: %2 (%3)")
                           .arg(QLatin1String(windowName), w->objectName(),
                                QLatin1String(w->metaObject()->className()));
    }
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        AllWindows::prepareWindows(m_dir);
        QAccessible::setActive(true);
    }

    void everyReachableControlHasAName()
    {
        QStringList unnamed;
        for (const auto &entry : AllWindows::everyWindow()) {
            std::unique_ptr<QWidget> window(entry.second());
            unnamed << unnamedControls(entry.first, window.get());
        }
        for (const QString &control : unnamed)
            qWarning("without a name: %s", qPrintable(control));
        QVERIFY2(unnamed.isEmpty(), "reachable controls without a name (listed above)");
    }

    // A field is named by the label beside it: its buddy.
    void fieldsAreNamedByTheirLabels_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("member name") << "TfrmTiratori"
                                     << "txtTiratore"
                                     << "Cognome e nome";
        QTest::newRow("receipt payer") << "TfrmRicevuta"
                                       << "txtPagatore"
                                       << "Riceviamo da";
        QTest::newRow("summary year") << "TfrmMenuRiepCosti"
                                      << "txtAnno"
                                      << "Anno";
    }
    void fieldsAreNamedByTheirLabels()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, name);
        for (const Corvalla::WindowEntry &e : Corvalla::windowSet()) {
            if (window != QLatin1String(e.className))
                continue;
            std::unique_ptr<QWidget> w(e.create());
            auto *control = w->findChild<QWidget *>(field);
            QVERIFY(control);
            const QString said = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(said.startsWith(name), qPrintable(said));
            return;
        }
        QFAIL("no such window");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
