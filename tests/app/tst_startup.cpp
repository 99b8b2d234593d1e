#include "AppTestSupport.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "app/Startup.h"
#include "app/WindowRegistry.h"
#include "common/ProgramFolder.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

class tst_Startup : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        setProgramFolder(dir.path());
    }

    void messageBoxesSpeakItalian_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("confirmation") << int(MsgBox::Kind::Confirmation) << QStringList{"Sì", "No"};
        QTest::newRow("warning") << int(MsgBox::Kind::Warning) << QStringList{"OK", "Annulla"};
        QTest::newRow("plain") << int(MsgBox::Kind::Plain) << QStringList{"OK"};
    }
    void messageBoxesSpeakItalian()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, buttons);
        QStringList shown;
        MsgBox::setTestHook([&](MsgBox::Kind, const QString &) {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                for (QAbstractButton *b : box->buttons())
                    shown << b->text().remove(QLatin1Char('&'));
            return MsgBox::Answer::Ok;
        });
        MsgBox::show(nullptr, MsgBox::Kind(kind), QStringLiteral("Prova"));
        MsgBox::setTestHook(nullptr);
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
    }

    void calendarStartsOnMonday()
    {
        QCalendarWidget calendar;
        QCOMPARE(calendar.firstDayOfWeek(), Qt::Monday);
        QCOMPARE(calendar.locale().language(), QLocale::Italian);
    }

    void onlyAccessWindowShownAtStart()
    {
        const QList<QWidget *> windows = Corvalla::createWindowSet();
        QCOMPARE(QByteArray(windows.constFirst()->metaObject()->className()), QByteArray("TfrmPassword"));
        for (QWidget *w : windows)
            QCOMPARE(Windows::find(w->metaObject()->className()), w);

        QWidget *access = windows.constFirst();
        Corvalla::showMainWindow(access);
        QVERIFY(QTest::qWaitForWindowExposed(access));
        for (QWidget *w : QApplication::topLevelWidgets())
            QCOMPARE(w->isVisible(), w == access);
        QCOMPARE(access->focusWidget(), access->findChild<QLineEdit *>(QStringLiteral("txtPassword")));
        const QPoint centre = access->screen()->availableGeometry().center();
        QVERIFY((access->geometry().center() - centre).manhattanLength() < 40);

        Windows::clear();
        qDeleteAll(windows);
    }

    // A key or a click on the access window before the rest of the window set exists first
    // completes the set, then does what it always does.
    void earlyInputIsNotLost_data()
    {
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("Cambia password clicked") << false << QByteArray("TfrmCambiaPassword");
        QTest::newRow("password typed, Enter") << true << QByteArray("TfrmAvvio");
    }
    void earlyInputIsNotLost()
    {
        QFETCH(bool, byKeys);
        QFETCH(QByteArray, shown);
        writeFile(dir.filePath(QStringLiteral("unins000.dll")),
                  "[Accesso]\r\nValore=55C7DA576CD9AE90C591F27CFFDD\r\n");
        BoxRecorder boxes;
        Corvalla::Startup startup;
        QWidget *access = startup.accessWindow();
        QVERIFY(!startup.isComplete());
        QVERIFY(!Windows::find(shown.constData()));
        if (byKeys) {
            auto *field = access->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
            typeText(field, QStringLiteral("iscrizionesoci"));
            QTest::keyClick(field, Qt::Key_Return);
        } else {
            QTest::mouseClick(access->findChild<QPushButton *>(QStringLiteral("btnCambiaPassword")),
                              Qt::LeftButton);
        }
        QVERIFY(startup.isComplete());
        QVERIFY(boxes.boxes.isEmpty());
        QWidget *next = Windows::find(shown.constData());
        QVERIFY(next);
        QVERIFY(next->isVisible());
        QVERIFY(!access->isVisible());
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
