#include "TestSupport.h"

#include "common/CallerContext.h"
#include "common/TfrmCalendario.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const char *const kDateFields[] = {"txtData", "txtDal", "txtAl", "txtStudio", "txtInizioTes", "txtFineTes"};
const QString kOld = QStringLiteral("01/01/2020");

// A caller window holding every date field the picker knows, each with an old date.
struct Caller
{
    QWidget window;
    Caller()
    {
        auto *layout = new QVBoxLayout(&window);
        for (const char *name : kDateFields) {
            auto *f = new QLineEdit(kOld, &window);
            f->setObjectName(QLatin1String(name));
            layout->addWidget(f);
        }
        window.setGeometry(200, 150, 500, 400);
    }
    QString text(const QString &name) const { return window.findChild<QLineEdit *>(name)->text(); }
};

QPushButton *button(QWidget *picker, const char *name)
{
    return picker->findChild<QPushButton *>(QLatin1String(name));
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class TestCalendario : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void content()
    {
        Caller caller;
        TfrmCalendario picker(&caller.window);
        QCOMPARE(picker.windowTitle(), QStringLiteral(" Importazione data"));
        QVERIFY(picker.findChild<QLabel *>(QStringLiteral("lblMemory")));
        QVERIFY(!picker.findChild<QLabel *>(QStringLiteral("lblMemory"))->isVisibleTo(&picker));
        bool captionFound = false;
        for (QLabel *l : picker.findChildren<QLabel *>())
            captionFound |= l->text() == QStringLiteral("Importare una data:");
        QVERIFY(captionFound);
        QCOMPARE(button(&picker, "btnImportaData")->text(), QStringLiteral("Importa"));
        QCOMPARE(button(&picker, "btnAnnulla")->text(), QStringLiteral("Annulla"));
        auto *calendar = picker.findChild<QCalendarWidget *>(QStringLiteral("calAppuntamenti"));
        QVERIFY(calendar);
        QCOMPARE(calendar->selectedDate(), QDate::currentDate());
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    }

    void fixedSizeAndCentredOverItsCaller()
    {
        Caller caller;
        caller.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&caller.window));
        TfrmCalendario picker(&caller.window);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QCOMPARE(picker.minimumSize(), picker.maximumSize());
        const QPoint offset = picker.frameGeometry().center() - caller.window.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("offset %1,%2").arg(offset.x()).arg(offset.y())));
    }

    // "Importa" fills the field the opener gave and no other; the caller context only names the
    // caller (the date fields of the real windows are tested with those windows).
    void importFillsItsTargetOnly_data()
    {
        QTest::addColumn<QString>("target");
        for (const char *name : kDateFields)
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("no target") << QString();
    }
    void importFillsItsTargetOnly()
    {
        QFETCH(QString, target);
        Caller caller;
        caller.window.show();
        auto *picker = new TfrmCalendario(&caller.window);
        setCallerContext(picker, QStringLiteral("Al"));
        if (!target.isEmpty())
            picker->setTarget(caller.window.findChild<QLineEdit *>(target));
        picker->show();
        button(picker, "btnImportaData")->click();
        for (const char *name : kDateFields) {
            const QString field = QLatin1String(name);
            QCOMPARE(caller.text(field), field == target ? today() : kOld);
        }
        // Nowhere to put the date: the picker stays open.
        QCOMPARE(picker->isVisible(), target.isEmpty());
        QCOMPARE(picker->result(), target.isEmpty() ? 0 : int(QDialog::Accepted));
        delete picker;
    }

    void importWritesThePickedDay()
    {
        Caller caller;
        TfrmCalendario picker(&caller.window);
        picker.setTarget(caller.window.findChild<QLineEdit *>(QStringLiteral("txtAl")));
        picker.findChild<QCalendarWidget *>()->setSelectedDate(QDate(2024, 3, 5));
        button(&picker, "btnImportaData")->click();
        QCOMPARE(caller.text(QStringLiteral("txtAl")), QStringLiteral("05/03/2024"));
        QCOMPARE(caller.text(QStringLiteral("txtDal")), kOld);
    }

    void annullaChangesNothing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("filled") << kOld;
        QTest::newRow("empty") << QString();
    }

    void annullaChangesNothing()
    {
        QFETCH(QString, before);
        Caller caller;
        caller.window.findChild<QLineEdit *>(QStringLiteral("txtStudio"))->setText(before);
        TfrmCalendario picker(&caller.window);
        picker.setTarget(caller.window.findChild<QLineEdit *>(QStringLiteral("txtStudio")));
        picker.show();
        button(&picker, "btnAnnulla")->click();
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QCOMPARE(caller.text(QStringLiteral("txtStudio")), before);
    }

    void eachPickerStartsAtToday()
    {
        Caller caller;
        for (int i = 0; i < 2; ++i) {
            auto *picker = new TfrmCalendario(&caller.window);
            auto *calendar = picker->findChild<QCalendarWidget *>();
            QCOMPARE(calendar->selectedDate(), QDate::currentDate());
            calendar->setSelectedDate(QDate(2020, 1, 1));
            delete picker;
        }
    }
};

QTEST_MAIN(TestCalendario)
#include "tst_calendario.moc"
