// The keyboard alone: every control that reacts to a click is reached with Tab and pressed with
// Space or Enter, each window is announced as a window or dialog, the record windows' shortcuts,
// the date picker, the margin buttons, the fee field, the summary's lists, and the focus and the
// view when a one-use window closes.
#include "TestSupport.h"

#include "AllWindows.h"
#include "AppTestSupport.h"
#include "app/WindowRegistry.h"
#include "cards/TfrmStampaTessera.h"
#include "common/KeyboardAccess.h"
#include "common/MsgBox.h"
#include "common/TfrmCalendario.h"
#include "takings/TfrmRiepCosti.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <utility>

namespace {

// A window as its opener makes it: the summary list is given the summary to show.
QWidget *made(const QPair<const char *, AllWindows::Make> &entry, const QTemporaryDir &dir)
{
    QWidget *w = entry.second();
    if (auto *list = qobject_cast<TfrmRiepCosti *>(w)) {
        Takings::SummaryRequest request;
        request.yearFilePath = dir.filePath(QStringLiteral("2026.ric"));
        request.filter.start = QDate(2026, 1, 1);
        request.filter.end = QDate(2026, 12, 31);
        list->setRequest(request);
    }
    return w;
}

QWidget *setWindow(const char *className)
{
    for (const Corvalla::WindowEntry &e : Corvalla::windowSet())
        if (qstrcmp(e.className, className) == 0) {
            QWidget *w = e.create();
            Windows::add(w);
            return w;
        }
    return nullptr;
}

// Shows `window` and makes it the active one; false when it closed itself on showing (a list
// window given nothing to list).
bool showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window) && window->isVisible();
}

// A part of another control (the field of a combo box, the buttons of a calendar or a scroll bar).
bool insideOtherControl(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) ||
            qobject_cast<const QCalendarWidget *>(p) || qobject_cast<const QAbstractItemView *>(p) ||
            qobject_cast<const QScrollBar *>(p))
            return true;
    return false;
}

// The controls of `window` on show that react to a click: the toolkit's buttons and the program's
// own pressable controls, enabled.
QList<QWidget *> clickable(QWidget *window)
{
    QList<QWidget *> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || !w->isEnabled() || insideOtherControl(w, window))
            continue;
        const bool pressable =
            dynamic_cast<Pressable *>(w) && (w->focusPolicy() != Qt::NoFocus || w->focusProxy());
        if (qobject_cast<QAbstractButton *>(w) || pressable)
            found << w;
    }
    return found;
}

// Tab from where the focus is, round the window: the controls the focus rests on, in order.
// `round` tells whether the focus came back to where it started.
QList<QWidget *> walkByTab(QWidget *window, bool *round)
{
    QList<QWidget *> seen;
    *round = false;
    for (int i = 0; i < 400; ++i) {
        QWidget *f = QApplication::focusWidget();
        if (!f || f->window() != window)
            break;
        if (!seen.isEmpty() && f == seen.first()) {
            *round = true;
            break;
        }
        if (seen.contains(f))
            break; // a loop that leaves the first control out
        seen << f;
        QTest::keyClick(f, Qt::Key_Tab);
    }
    return seen;
}

QString describe(const QWidget *w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QLatin1String(w->metaObject()->className()));
}

QAccessibleInterface *spoken(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w);
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        AllWindows::prepareWindows(m_dir);
        QAccessible::setActive(true);
    }

    void cleanup() { Windows::clear(); }

    // Every window: Tab reaches each control that reacts to a click; a screen reader hears each
    // pressable control as a button with a name and can press it; the window itself is a window
    // or a dialog named by its caption, without the leading blank.
    void everyClickableControlIsReachedAndNamed()
    {
        QStringList faults;
        for (const auto &entry : AllWindows::everyWindow()) {
            std::unique_ptr<QWidget> window(made(entry, m_dir));
            const QString name = QLatin1String(entry.first);
            if (!showActive(window.get())) {
                qWarning("%s closed itself when shown alone", entry.first);
                continue;
            }
            QAccessibleInterface *w = spoken(window.get());
            if (w->role() != QAccessible::Window && w->role() != QAccessible::Dialog)
                faults << name + QStringLiteral(": announced with role %1").arg(int(w->role()));
            if (w->text(QAccessible::Name) != window->windowTitle().trimmed() ||
                w->text(QAccessible::Name).isEmpty())
                faults << name + QStringLiteral(": announced as \"%1\"").arg(w->text(QAccessible::Name));

            bool round = false;
            const QList<QWidget *> reached = walkByTab(window.get(), &round);
            if (!round)
                faults << name + QStringLiteral(": Tab never comes back to where it started");
            if (qEnvironmentVariableIsSet("SHOW_TAB_ORDER")) {
                QStringList order;
                for (QWidget *r : reached)
                    order << r->objectName();
                qInfo("%s: %s", entry.first, qPrintable(order.join(QLatin1String(", "))));
            }
            for (QWidget *c : clickable(window.get())) {
                QWidget *stop = c->focusProxy() ? c->focusProxy() : c;
                // Tab enters a group of option buttons at its chosen one; the arrows choose.
                const auto *option = qobject_cast<QRadioButton *>(c);
                if (option && !option->isChecked() && option->group())
                    continue;
                if (!reached.contains(stop))
                    faults << name + QStringLiteral(": never reached by Tab: ") + describe(c);
                if (c->focusProxy())
                    continue;
                QAccessibleInterface *a = spoken(c);
                if (a->role() != QAccessible::Button && a->role() != QAccessible::RadioButton &&
                    a->role() != QAccessible::CheckBox)
                    faults << name + QStringLiteral(": not a button to a screen reader: ") + describe(c);
                if (a->text(QAccessible::Name).trimmed().isEmpty())
                    faults << name + QStringLiteral(": a button without a name: ") + describe(c);
                const QStringList actions =
                    a->actionInterface() ? a->actionInterface()->actionNames() : QStringList();
                if (!actions.contains(QAccessibleActionInterface::pressAction()) &&
                    !actions.contains(QAccessibleActionInterface::toggleAction()))
                    faults << name + QStringLiteral(": a screen reader cannot press ") + describe(c);
            }
            window->hide();
        }
        for (const QString &f : faults)
            qWarning("%s", qPrintable(f));
        QVERIFY(faults.isEmpty());
    }

    // A one-use window opens with the focus on its first control, and Esc closes it as its close
    // box does.
    void oneUseWindowsStartAtTheirFirstControlAndCloseOnEsc()
    {
        QStringList faults;
        for (const auto &entry : AllWindows::oneUseWindows()) {
            std::unique_ptr<QWidget> window(made(entry, m_dir));
            auto *dialog = qobject_cast<QDialog *>(window.get());
            if (!dialog) {
                continue; // the password change is a window of the set
            }
            QWidget *first = nullptr;
            QWidget *focused = nullptr;
            QTimer::singleShot(0, dialog, [&] {
                (void)QTest::qWaitForWindowActive(dialog);
                for (QWidget *w = dialog->nextInFocusChain(); w != dialog; w = w->nextInFocusChain())
                    if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() &&
                        w->isEnabled()) {
                        first = w;
                        break;
                    }
                focused = QApplication::focusWidget();
                QTest::keyClick(focused ? focused : dialog, Qt::Key_Escape);
            });
            bool closedByGuard = false;
            QTimer guard;
            guard.setSingleShot(true);
            connect(&guard, &QTimer::timeout, dialog, [&] {
                closedByGuard = true;
                dialog->done(QDialog::Rejected);
            });
            guard.start(5000);
            dialog->exec();
            if (closedByGuard)
                faults << QLatin1String(entry.first) + QStringLiteral(": Esc did not close it");
            if (!first || focused != first)
                faults << QLatin1String(entry.first) +
                              QStringLiteral(": opens with the focus on %1, not %2")
                                  .arg(focused ? describe(focused) : QStringLiteral("nothing"),
                                       first ? describe(first) : QStringLiteral("nothing"));
        }
        for (const QString &f : faults)
            qWarning("%s", qPrintable(f));
        QVERIFY(faults.isEmpty());
    }

    // The record windows' shortcuts: written at the end of the button's hint, and pressing the keys
    // is a click on the button.
    void shortcutsPressTheirButtons_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("hintEnd");
        const struct
        {
            const char *button;
            QKeySequence keys;
            const char *written;
        } keys[] = {
            {"cmdNuovo", QKeySequence(Qt::CTRL | Qt::Key_N), " (Ctrl+N)"},
            {"cmdSalva", QKeySequence(Qt::CTRL | Qt::Key_S), " (Ctrl+S)"},
            {"cmdDuplica", QKeySequence(Qt::CTRL | Qt::Key_D), " (Ctrl+D)"},
            {"cmdTrova", QKeySequence(Qt::CTRL | Qt::Key_F), " (Ctrl+F)"},
            {"cmdStampa", QKeySequence(Qt::CTRL | Qt::Key_P), " (Ctrl+P)"},
            {"cmdIndietro", QKeySequence(Qt::ALT | Qt::Key_Left), " (Alt+Freccia sinistra)"},
            {"cmdAvanti", QKeySequence(Qt::ALT | Qt::Key_Right), " (Alt+Freccia destra)"},
            {"cmdPrimo", QKeySequence(Qt::ALT | Qt::Key_Home), " (Alt+Inizio)"},
            {"cmdUltimo", QKeySequence(Qt::ALT | Qt::Key_End), " (Alt+Fine)"},
            {"cmdGuida", QKeySequence(Qt::Key_F1), " (F1)"},
        };
        for (const char *window : {"TfrmTiratori", "TfrmRicevuta"})
            for (const auto &k : keys)
                QTest::newRow(
                    qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(window), QLatin1String(k.button))))
                    << window << k.button << k.keys << k.written;
        // The card window has no Salva, Duplica nor cmdGuida.
        for (const auto &k : keys) {
            const QByteArray b = k.button;
            if (b == "cmdSalva" || b == "cmdDuplica")
                continue;
            QTest::newRow(qPrintable(QStringLiteral("TfrmTessera %1").arg(QLatin1String(k.button))))
                << "TfrmTessera" << (b == "cmdGuida" ? QString("imgGuida") : QString(k.button)) << k.keys
                << k.written;
        }
    }
    void shortcutsPressTheirButtons()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, hintEnd);
        BoxRecorder boxes;
        std::unique_ptr<QWidget> w(setWindow(qPrintable(window)));
        if (window == QLatin1String("TfrmRicevuta"))
            w->setProperty("yearFile", m_dir.filePath(QStringLiteral("2026.ric")));
        QVERIFY(showActive(w.get()));
        auto *b = w->findChild<QToolButton *>(button);
        QVERIFY(b);
        QVERIFY2(b->accessibleName().endsWith(hintEnd), qPrintable(b->accessibleName()));
        QSignalSpy clicks(b, &QAbstractButton::clicked);
        // Whatever one-use window the button opens is closed again.
        Modal::whenShown<QWidget>([](QWidget *modal) { modal->close(); }, 3000, {}, w.get());
        QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), keys);
        QTRY_COMPARE(clicks.count(), 1);
        w->hide();
    }
    // The date picker: Tab goes calendar, Importa, Annulla; Enter in the calendar imports the day
    // picked; the month buttons have names.
    void datePickerFromTheKeyboard()
    {
        QLineEdit target;
        TfrmCalendario picker;
        picker.setTarget(&target);
        QVERIFY(showActive(&picker));
        QWidget *days = QApplication::focusWidget();
        QVERIFY(days && days->objectName() == QLatin1String("qt_calendar_calendarview"));
        QTest::keyClick(days, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnImportaData"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnAnnulla"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), days);

        for (const auto &[name, said] : {std::pair{"qt_calendar_prevmonth", "Mese precedente"},
                                         std::pair{"qt_calendar_nextmonth", "Mese successivo"}}) {
            auto *month = picker.findChild<QWidget *>(QLatin1String(name));
            QVERIFY(month);
            QCOMPARE(spoken(month)->text(QAccessible::Name), QLatin1String(said));
        }

        QTest::keyClick(days, Qt::Key_Left); // the day before today
        QTest::keyClick(days, Qt::Key_Return);
        QCOMPARE(target.text(), QDate::currentDate().addDays(-1).toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(picker.result(), int(QDialog::Accepted));
    }

    // The card print window's margin buttons say what they do and are described by their field.
    void marginButtonsSayWhatTheyDo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::newRow("top -") << "btnTopMinus"
                               << "txtTop"
                               << "Diminuisci il margine superiore"
                               << "Margine superiore:";
        QTest::newRow("top +") << "btnTopPlus"
                               << "txtTop"
                               << "Aumenta il margine superiore"
                               << "Margine superiore:";
        QTest::newRow("left -") << "btnLeftMinus"
                                << "txtLeft"
                                << "Diminuisci il margine sinistro"
                                << "Margine sinistro:";
        QTest::newRow("left +") << "btnLeftPlus"
                                << "txtLeft"
                                << "Aumenta il margine sinistro"
                                << "Margine sinistro:";
    }
    void marginButtonsSayWhatTheyDo()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, name);
        QFETCH(QString, label);
        TfrmStampaTessera window;
        QVERIFY(showActive(&window));
        auto *b = window.findChild<QPushButton *>(button);
        auto *f = window.findChild<QLineEdit *>(field);
        QVERIFY(b && f);
        QCOMPARE(spoken(b)->text(QAccessible::Name), name);
        QCOMPARE(spoken(b)->text(QAccessible::Description), QStringLiteral("%1 %2 mm").arg(label, f->text()));
        b->setFocus(Qt::TabFocusReason);
        QTest::keyClick(b, Qt::Key_Space);
        QVERIFY(f->text() != QLatin1String("0"));
        QCOMPARE(spoken(b)->text(QAccessible::Description), QStringLiteral("%1 %2 mm").arg(label, f->text()));
    }

    // The fee: entering it by a click or by Tab selects "0,00", so typing replaces it; a second
    // comma is refused as it is typed, and the fee typed is kept on leaving.
    void feeTypedOverTheZero_data()
    {
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("left");
        QTest::newRow("click, 35,5") << true << "35,5"
                                     << "35,5"
                                     << "35,50";
        QTest::newRow("Tab, 35,5") << false << "35,5"
                                   << "35,5"
                                   << "35,50";
        QTest::newRow("a second comma") << true << "35,5,0"
                                        << "35,50"
                                        << "35,50";
        QTest::newRow("a comma first") << false << ",5"
                                       << ",5"
                                       << "0,50";
    }
    void feeTypedOverTheZero()
    {
        QFETCH(bool, byClick);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, left);
        std::unique_ptr<QWidget> sheet(setWindow("TfrmTiratori"));
        QVERIFY(showActive(sheet.get()));
        auto *fee = sheet->findChild<QLineEdit *>(QStringLiteral("txtQuota"));
        QVERIFY(fee);
        QCOMPARE(fee->text(), QStringLiteral("0,00"));
        if (byClick)
            QTest::mouseClick(fee, Qt::LeftButton, {}, QPoint(4, fee->height() / 2));
        else
            fee->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(fee->selectedText(), QStringLiteral("0,00"));
        typeText(fee, typed);
        QCOMPARE(fee->text(), shown);
        QTest::keyClick(fee, Qt::Key_Tab);
        QCOMPARE(fee->text(), left);
    }

    // The summary's day and month lists: typing the start of a value chooses it, Alt+Down opens
    // the list where the arrows and Enter choose; only listed values stay.
    void summaryListsFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("month by its start") << "txtMeseInizio" << QList<int>{} << "dic"
                                            << "Dicembre";
        QTest::newRow("month gi") << "txtMeseFine" << QList<int>{} << "gi"
                                  << "Giugno";
        QTest::newRow("day 11") << "txtGiornoInizio" << QList<int>{} << "11"
                                << "11";
        QTest::newRow("day 5 is 05") << "txtGiornoFine" << QList<int>{} << "5"
                                     << "05";
        QTest::newRow("day nothing listed") << "txtGiornoFine" << QList<int>{} << "x"
                                            << "";
        // The list opens on its first line.
        QTest::newRow("list opened, one down")
            << "txtGiornoInizio" << QList<int>{Qt::Key_Down, Qt::Key_Return} << ""
            << "02";
        QTest::newRow("list opened, months")
            << "txtMeseInizio" << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << ""
            << "Marzo";
    }
    void summaryListsFromTheKeyboard()
    {
        QFETCH(QString, list);
        QFETCH(QList<int>, keys);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        std::unique_ptr<QWidget> window(setWindow("TfrmMenuRiepCosti"));
        QVERIFY(showActive(window.get()));
        auto *combo = window->findChild<QComboBox *>(list);
        QVERIFY(combo);
        combo->setFocus(Qt::TabFocusReason);
        if (!keys.isEmpty()) {
            QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(combo->view()->isVisible());
            for (int k : keys)
                QTest::keyClick(combo->view(), Qt::Key(k));
            QTRY_VERIFY(!combo->view()->isVisible());
        }
        typeText(combo, typed);
        QCOMPARE(combo->currentText(), chosen);
        QTest::keyClick(combo, Qt::Key_Tab);
        QCOMPARE(combo->currentText(), chosen);
    }

    // Back from a one-use window the focus is where it was (on the button pressed from the
    // keyboard, in the field typed in before a click) and the view has not moved; a new visit
    // starts from the top, the toolbar in view.
    void focusAndViewKeptAcrossAOneUseWindow_data()
    {
        QTest::addColumn<bool>("byKeyboard");
        QTest::addColumn<QString>("before");
        QTest::newRow("Trova from the keyboard") << true << "cmdTrova";
        QTest::newRow("Trova clicked, typing the name") << false << "txtTiratore";
        QTest::newRow("Trova clicked, typing the notes") << false << "txtNote";
    }
    void focusAndViewKeptAcrossAOneUseWindow()
    {
        QFETCH(bool, byKeyboard);
        QFETCH(QString, before);
        std::unique_ptr<QWidget> sheet(setWindow("TfrmTiratori"));
        sheet->setWindowState(Qt::WindowNoState);
        sheet->resize(900, 420); // the sheet scrolls
        QVERIFY(showActive(sheet.get()));
        auto *view = sheet->findChild<QScrollArea *>();
        QVERIFY(view && view->verticalScrollBar()->maximum() > 0);
        auto *start = sheet->findChild<QWidget *>(before);
        auto *trova = sheet->findChild<QToolButton *>(QStringLiteral("cmdTrova"));
        start->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        const int x = view->horizontalScrollBar()->value();
        const int y = view->verticalScrollBar()->value();
        const QByteArray opened = Modal::withModalWindow(
            [&] {
                if (byKeyboard)
                    QTest::keyClick(trova, Qt::Key_Return);
                else
                    QTest::mouseClick(trova, Qt::LeftButton);
            },
            [](QWidget *search) {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : search,
                                Qt::Key_Escape);
            });
        QCOMPARE(opened, QByteArray("TfrmTrovaTiratori"));
        // As a window manager does, the sheet is made active again.
        QApplication::setActiveWindow(sheet.get());
        QTRY_COMPARE(QApplication::activeWindow(), sheet.get());
        QTRY_COMPARE(QApplication::focusWidget(), start);
        QCOMPARE(view->verticalScrollBar()->value(), y);
        QCOMPARE(view->horizontalScrollBar()->value(), x);

        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        sheet->close();
        QVERIFY(showActive(sheet.get()));
        QCOMPARE(view->verticalScrollBar()->value(), 0);
        QCOMPARE(view->horizontalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
