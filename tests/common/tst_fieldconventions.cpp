#include "ModalHelper.h"
#include "TestSupport.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/TfrmCalendario.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace Conventions;

namespace {

// A small work window: three coloured fields in a ring, a date field, an amount field, a label
// and a button over a background panel, and an information bar.
struct Window
{
    QWidget window;
    QWidget *panel = nullptr;
    QLineEdit *first = nullptr, *second = nullptr, *third = nullptr, *date = nullptr, *amount = nullptr;
    QLabel *caption = nullptr, *bar = nullptr;
    QPushButton *button = nullptr;
    int exits = 0;

    Window()
    {
        window.setObjectName(QStringLiteral("frmProva"));
        auto *layout = new QVBoxLayout(&window);
        panel = new QWidget(&window);
        panel->setObjectName(QStringLiteral("shpSfondo"));
        auto *panelLayout = new QVBoxLayout(panel);
        auto add = [&](const char *name) {
            auto *f = new QLineEdit(panel);
            f->setObjectName(QLatin1String(name));
            panelLayout->addWidget(f);
            return f;
        };
        first = add("txtPrimo");
        second = add("txtSecondo");
        third = add("txtTerzo");
        date = add("txtStudio");
        amount = add("txtQuota");
        caption = new QLabel(QStringLiteral("Etichetta"), panel);
        panelLayout->addWidget(caption);
        button = new QPushButton(QStringLiteral("Pulsante"), panel);
        button->setFocusPolicy(Qt::NoFocus);
        panelLayout->addWidget(button);
        bar = new QLabel(&window);
        layout->addWidget(panel);
        layout->addWidget(bar);

        applyFieldColour(first, kRequiredColour, [this] { ++exits; });
        applyFieldColour(second, kOptionalColour);
        applyFieldColour(third, kOptionalColour);
        setEnterRing({{first, second}, {second, third}, {third, first}});
        makeDatePickerField(date, QStringLiteral("tiratori_studio"), first);
        setCharacterFilter(amount, QStringLiteral("0123456789,"), first);
        setupInfoBar(bar, QStringLiteral("Pronto"), {{button, QStringLiteral("Suggerimento")}},
                     {&window, panel});
    }

    bool show()
    {
        window.resize(400, 400);
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

// Runs `answer` on the next modal window once it is on screen.
void onModal(std::function<void(QWidget *)> answer)
{
    Modal::whenShown<QWidget>(std::move(answer));
}

// Types a text key by key, accented letters included.
void type(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        const int key = c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

QColor pixelAt(QWidget *w, QPoint p)
{
    return w->grab().toImage().pixelColor(p);
}

} // namespace

class TestFieldConventions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void coloursFollowTheFocus()
    {
        Window w;
        QVERIFY(w.show());
        w.second->setFocus();
        QCOMPARE(fieldBackground(w.first), kRequiredColour);
        QCOMPARE(fieldBackground(w.third), kOptionalColour);

        for (QLineEdit *f : {w.first, w.second, w.third, w.first}) {
            f->setFocus(Qt::TabFocusReason);
            int yellow = 0;
            for (QLineEdit *g : {w.first, w.second, w.third}) {
                if (fieldBackground(g) == kFocusColour) {
                    ++yellow;
                    QCOMPARE(g, f);
                }
            }
            QCOMPARE(yellow, 1);
        }
        // The paint fills the whole field inside its sky-blue border, corners included.
        QCOMPARE(pixelAt(w.first, QPoint(1, 1)), kFocusColour);
        QCOMPARE(pixelAt(w.first, QPoint(w.first->width() - 2, w.first->height() - 2)), kFocusColour);
        QCOMPARE(pixelAt(w.first, QPoint(0, 0)), kBorderColour);
        QCOMPARE(pixelAt(w.second, QPoint(1, 1)), kOptionalColour);
        QCOMPARE(pixelAt(w.second, QPoint(0, w.second->height() / 2)), kBorderColour);
    }

    void exitRuleRunsWhenTheFieldIsLeftOnly()
    {
        Window w;
        QVERIFY(w.show());
        w.first->setFocus();
        QCOMPARE(w.exits, 0);
        // A box coming to the front does not leave the field.
        QWidget box(&w.window, Qt::Dialog);
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(w.exits, 0);
        QCOMPARE(fieldBackground(w.first), kFocusColour);
        box.close();
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.second->setFocus();
        QCOMPARE(w.exits, 1);
        QCOMPARE(fieldBackground(w.first), kRequiredColour);
    }

    void highlightBandShowsExactlyWhileFocused()
    {
        Window w;
        QWidget *band = attachHighlightBand(w.second, QStringLiteral("effSecondo"));
        QVERIFY(w.show());
        QCOMPARE(band->objectName(), QStringLiteral("effSecondo"));
        QCOMPARE(band->parentWidget(), w.second->parentWidget());
        QVERIFY(!band->isVisible());
        w.second->setFocus();
        QVERIFY(band->isVisible());
        QVERIFY(band->geometry().contains(w.second->geometry()));
        QVERIFY(band->geometry() != w.second->geometry());
        // Behind the field: the field is painted over it.
        const QList<QObject *> siblings = w.panel->children();
        QVERIFY(siblings.indexOf(band) < siblings.indexOf(w.second));
        w.third->setFocus();
        QVERIFY(!band->isVisible());
        // It follows the field when the window is resized.
        w.second->setFocus();
        w.window.resize(600, 500);
        QTRY_VERIFY(band->geometry().contains(w.second->geometry()));
        // Yellow inside, white at the outer edge.
        const QImage look = band->grab().toImage();
        QCOMPARE(look.pixelColor(look.width() / 2, look.height() / 2), kFocusColour);
        QCOMPARE(look.pixelColor(0, 0), QColor(Qt::white));
    }

    void enterFollowsTheRing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void enterFollowsTheRing()
    {
        QFETCH(int, key);
        Window w;
        QVERIFY(w.show());
        w.first->setFocus();
        QTest::keyClick(w.first, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), w.second);
        QTest::keyClick(w.second, Qt::Key(key));
        QTest::keyClick(w.third, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), w.first);
        // Other keys are left to the field.
        QTest::keyClicks(w.first, QStringLiteral("ab"));
        QCOMPARE(w.first->text(), QStringLiteral("ab"));
        QCOMPARE(QApplication::focusWidget(), w.first);
    }

    void typingRules_data()
    {
        QTest::addColumn<bool>("upper");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("upper letters") << true << "rssmra85t10"
                                       << "RSSMRA85T10";
        QTest::newRow("upper leading blank") << true << " m"
                                             << "M";
        QTest::newRow("upper trailing blank") << true << "ab "
                                              << "AB";
        // A blank typed at the end goes at once, so blanks cannot be typed between letters either.
        QTest::newRow("upper blank between letters") << true << "a b"
                                                     << "AB";
        QTest::newRow("upper accents untouched") << true << "àè"
                                                 << "àè";
        QTest::newRow("trim blanks around") << false << " a@b.it "
                                            << "a@b.it";
        QTest::newRow("trim keeps case") << false << "Mario@Posta.it"
                                         << "Mario@Posta.it";
    }

    void typingRules()
    {
        QFETCH(bool, upper);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLineEdit field;
        upper ? setUpperCaseWhileTyping(&field) : setTrimWhileTyping(&field);
        type(&field, typed);
        QCOMPARE(field.text(), shown);
    }

    void typingRuleKeepsTheCaret()
    {
        QLineEdit field;
        setUpperCaseWhileTyping(&field);
        QTest::keyClicks(&field, QStringLiteral("ace"));
        field.setCursorPosition(1);
        QTest::keyClicks(&field, QStringLiteral("b"));
        QCOMPARE(field.text(), QStringLiteral("ABCE"));
        QCOMPARE(field.cursorPosition(), 2);
    }

    void characterFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits and comma") << "25,50"
                                          << "25,50";
        QTest::newRow("full stop ignored") << "2.5"
                                           << "25";
        QTest::newRow("letters ignored") << "1a2B"
                                         << "12";
        QTest::newRow("blank and minus ignored") << "- 7"
                                                 << "7";
    }

    void characterFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Window w;
        QVERIFY(w.show());
        w.amount->setFocus();
        QTest::keyClicks(w.amount, typed);
        QCOMPARE(w.amount->text(), shown);
    }

    void characterFilterEditingKeys()
    {
        Window w;
        QVERIFY(w.show());
        w.amount->setFocus();
        QTest::keyClicks(w.amount, QStringLiteral("123"));
        QTest::keyClick(w.amount, Qt::Key_Left);
        QTest::keyClick(w.amount, Qt::Key_Backspace);
        QCOMPARE(w.amount->text(), QStringLiteral("13"));
        QTest::keyClick(w.amount, Qt::Key_Left);
        QTest::keyClick(w.amount, Qt::Key_Delete);
        QCOMPARE(w.amount->text(), QStringLiteral("3"));
        QTest::keyClick(w.amount, Qt::Key_Right);
        QTest::keyClick(w.amount, Qt::Key_Comma);
        QTest::keyClick(w.amount, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(w.amount->text(), QStringLiteral("3,5"));
        // Home is not one of the keys let through.
        QTest::keyClick(w.amount, Qt::Key_Home);
        QCOMPARE(w.amount->cursorPosition(), 3);
        QTest::keyClick(w.amount, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.first);
    }

    void datePickerFieldEditingKeys()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.date->isReadOnly());
        for (int key : {int(Qt::Key_Backspace), int(Qt::Key_Delete)}) {
            w.date->setText(QStringLiteral("01/01/2020"));
            w.date->setFocus();
            w.date->setCursorPosition(3);
            QTest::keyClick(w.date, Qt::Key(key));
            QCOMPARE(w.date->text(), QString());
        }
        QTest::keyClick(w.date, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.first);
    }

    void datePickerFieldOpensThePicker_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opens");
        QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << true;
        QTest::newRow("capital letter") << int(Qt::Key_A) << int(Qt::ShiftModifier) << true;
        QTest::newRow("digit") << int(Qt::Key_7) << int(Qt::NoModifier) << true;
        QTest::newRow("blank") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
        QTest::newRow("arrow") << int(Qt::Key_Down) << int(Qt::NoModifier) << true;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << false;
        QTest::newRow("Backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Control alone") << int(Qt::Key_Control) << int(Qt::ControlModifier) << false;
        QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::AltModifier) << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
        QTest::newRow("copy shortcut") << int(Qt::Key_C) << int(Qt::ControlModifier) << false;
    }

    void datePickerFieldOpensThePicker()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, opens);
        Window w;
        QVERIFY(w.show());
        w.date->setText(QStringLiteral("01/01/2020"));
        w.date->setFocus();

        QString seenClass, seenContext;
        QWidget *seenParent = nullptr;
        QPointer<QWidget> picker;
        if (opens) {
            onModal([&](QWidget *modal) {
                seenClass = QString::fromLatin1(modal->metaObject()->className());
                seenContext = callerContext(modal);
                seenParent = modal->parentWidget();
                picker = modal;
                modal->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
            });
        }
        QTest::keyClick(w.date, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (opens) {
            QCOMPARE(seenClass, QStringLiteral("TfrmCalendario"));
            QCOMPARE(seenContext, QStringLiteral("tiratori_studio"));
            QCOMPARE(seenParent, &w.window);
            QVERIFY(picker.isNull()); // destroyed once closed
        }
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // Nothing typed into the field, whatever the key.
        QCOMPARE(w.date->text(), QStringLiteral("01/01/2020"));
    }

    void datePickerFieldTakesThePickedDate()
    {
        Window w;
        QVERIFY(w.show());
        w.date->setFocus();
        applyFieldColour(w.date, kRequiredColour);
        onModal([](QWidget *modal) {
            modal->findChild<QPushButton *>(QStringLiteral("btnImportaData"))->click();
        });
        QTest::keyClick(w.date, Qt::Key_X);
        QCOMPARE(fieldBackground(w.date), kFocusColour);
        QCOMPARE(w.date->text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        // The field is still its window's focus, and still looks it.
        QCOMPARE(w.window.focusWidget(), w.date);
    }

    void infoBar()
    {
        Window w;
        QVERIFY(w.show());
        QCOMPARE(w.bar->text(), QStringLiteral("Pronto"));
        const QPoint onPanel(w.panel->width() - 3, w.panel->height() / 2);

        // Entering a button shows its hint; so does moving over it.
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), w.button->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(w.button, &enter);
        QCOMPARE(w.bar->text(), QStringLiteral("Suggerimento"));
        QTest::mouseMove(w.panel, onPanel);
        QTRY_COMPARE(w.bar->text(), QString());
        QTest::mouseMove(w.button, w.button->rect().center());
        QTRY_COMPARE(w.bar->text(), QStringLiteral("Suggerimento"));

        // Labels and entry fields neither set nor clear it.
        QTest::mouseMove(w.caption, w.caption->rect().center());
        QTest::mouseMove(w.first, w.first->rect().center());
        QTest::qWait(20);
        QCOMPARE(w.bar->text(), QStringLiteral("Suggerimento"));

        // The resting text does not come back by itself.
        QTest::mouseMove(w.panel, onPanel);
        QTRY_COMPARE(w.bar->text(), QString());
        QTest::mouseMove(&w.window, QPoint(1, 1));
        QTest::qWait(20);
        QCOMPARE(w.bar->text(), QString());
        QVERIFY(w.panel->hasMouseTracking());
        QVERIFY(w.window.hasMouseTracking());
    }
};

QTEST_MAIN(TestFieldConventions)
#include "tst_fieldconventions.moc"
