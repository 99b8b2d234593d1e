#include "AppTestSupport.h"
#include "TestSupport.h"
#include "app/TfrmAvvio.h"
#include "app/WindowRegistry.h"
#include "common/OpenURL.h"
#include "common/PictureBox.h"
#include "common/PictureButton.h"
#include "common/ProgramFolder.h"
#include "members/TfrmTiratori.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

class tst_MainMenu : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<TfrmAvvio> menu;

    PictureButton *picture(const QString &name) { return menu->findChild<PictureButton *>(name); }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        setProgramFolder(dir.path());
    }

    void init()
    {
        menu = std::make_unique<TfrmAvvio>();
        Windows::add(menu.get());
        menu->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    }

    void cleanup()
    {
        TMisc::setTestHook(nullptr);
        Windows::clear();
        menu.reset();
    }

    void showsItsPicturesOnWhite_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("clickable");
        QTest::newRow("title") << "imgTitolo" << false;
        QTest::newRow("sub-title") << "imgSottotitolo" << false;
        for (const char *n :
             {"imgApp01", "btnApp01", "imgApp02", "btnApp02", "imgApp03", "btnApp03", "imgApp04", "btnApp04",
              "imgInfo", "imgGuida", "imgCrediti", "imgEsci", "icoSito"})
            QTest::newRow(n) << QString::fromLatin1(n) << true;
    }
    void showsItsPicturesOnWhite()
    {
        QFETCH(QString, name);
        QFETCH(bool, clickable);
        QVERIFY(menu->windowState() & Qt::WindowMaximized);
        QCOMPARE(menu->palette().color(QPalette::Window), QColor(Qt::white));
        PictureButton *p = picture(name);
        QVERIFY(p);
        QVERIFY(p->isVisible());
        QCOMPARE(p->isClickable(), clickable);
        QCOMPARE(p->cursor().shape(), clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
        QVERIFY(!resourceImage(p->resource()).isNull());
    }

    void cornersAreInTheirCorners()
    {
        const QPoint mid = menu->rect().center();
        auto at = [this](const char *n) { return picture(QString::fromLatin1(n))->geometry().center(); };
        QVERIFY(at("imgInfo").x() < mid.x() && at("imgInfo").y() < mid.y());
        QVERIFY(at("imgGuida").x() > mid.x() && at("imgGuida").y() < mid.y());
        QVERIFY(at("imgCrediti").x() < mid.x() && at("imgCrediti").y() > mid.y());
        QVERIFY(at("imgEsci").x() > mid.x() && at("imgEsci").y() > mid.y());
        QVERIFY(at("imgApp01").x() < at("imgApp02").x() && at("imgApp01").y() < at("imgApp03").y());
        QVERIFY(at("imgApp03").x() < at("imgApp04").x() && at("imgApp02").y() < at("imgApp04").y());
    }

    void memberTileOpensMemberSheet_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("picture") << "imgApp01";
        QTest::newRow("caption") << "btnApp01";
    }
    void memberTileOpensMemberSheet()
    {
        QFETCH(QString, control);
        TfrmTiratori sheet;
        Windows::add(&sheet);
        QTest::mouseClick(picture(control), Qt::LeftButton);
        QVERIFY(sheet.isVisible());
        QVERIFY(sheet.windowState() & Qt::WindowMaximized);
        QVERIFY(!menu->isVisible());
        sheet.hide();
    }

    void tileWithoutItsWindowStaysOnMenu_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *n : {"imgApp01", "btnApp02", "imgApp03", "btnApp04"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void tileWithoutItsWindowStaysOnMenu()
    {
        QFETCH(QString, control);
        QTest::mouseClick(picture(control), Qt::LeftButton);
        QVERIFY(menu->isVisible());
    }

    void cornerOpensModalWindow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QByteArray>("window");
        QTest::newRow("information") << "imgInfo" << QByteArray("TfrmInfo");
        QTest::newRow("help") << "imgGuida" << QByteArray("TfrmGuida");
        QTest::newRow("credits") << "imgCrediti" << QByteArray("TfrmSplash");
    }
    void cornerOpensModalWindow()
    {
        QFETCH(QString, control);
        QFETCH(QByteArray, window);
        QPointer<QWidget> opened;
        const QByteArray seen = withModalWindow([&] { QTest::mouseClick(picture(control), Qt::LeftButton); },
                                                [&](QWidget *w) {
                                                    opened = w;
                                                    QCOMPARE(w->parentWidget(), menu.get());
                                                });
        QCOMPARE(seen, window);
        QVERIFY(!opened); // destroyed once closed
        QVERIFY(menu->isVisible());
    }

    void helpOpensGeneralTopic()
    {
        QString title, text;
        withModalWindow([&] { QTest::mouseClick(picture(QStringLiteral("imgGuida")), Qt::LeftButton); },
                        [&](QWidget *w) {
                            title = w->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
                            text = w->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->toPlainText();
                        });
        QCOMPARE(title, QStringLiteral("Uno sguardo a Corvalla"));
        QVERIFY(!text.isEmpty());
    }

    void bannerOpensWebAddress()
    {
        QStringList opened;
        TMisc::setTestHook([&](const QString &s) { opened << s; });
        QTest::mouseClick(picture(QStringLiteral("icoSito")), Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("https://www.corvalla.it")});
    }

    void pressingOutsideDoesNotClick()
    {
        QStringList opened;
        TMisc::setTestHook([&](const QString &s) { opened << s; });
        PictureButton *banner = picture(QStringLiteral("icoSito"));
        QTest::mousePress(banner, Qt::LeftButton);
        QTest::mouseRelease(banner, Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(opened.isEmpty());
    }

    void exitEndsProgram_data()
    {
        QTest::addColumn<bool>("byTitleBar");
        QTest::newRow("exit picture") << false;
        QTest::newRow("closing the menu") << true;
    }
    void exitEndsProgram()
    {
        QFETCH(bool, byTitleBar);
        QVERIFY(endsProgram([&] {
            if (byTitleBar)
                menu->close();
            else
                QTest::mouseClick(picture(QStringLiteral("imgEsci")), Qt::LeftButton);
        }));
    }
};

QTEST_MAIN(tst_MainMenu)
#include "tst_mainmenu.moc"
