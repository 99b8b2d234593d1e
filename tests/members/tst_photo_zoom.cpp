#include "TestSupport.h"

#include "common/PictureBox.h"
#include "members/TfrmZoom.h"

#include <QScreen>
#include <QtTest>

class TestPhotoZoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void photoFillsTheScreenAndClickCloses_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::newRow("photo") << "imgFoto";
        QTest::newRow("panel") << "panContainer";
    }
    void photoFillsTheScreenAndClickCloses()
    {
        QFETCH(QString, clicked);
        QImage photo(300, 400, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        TfrmZoom zoom;
        zoom.setPhoto(photo);
        zoom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&zoom));
        QVERIFY(zoom.windowState() & Qt::WindowMaximized);

        const QSize screen = zoom.screen()->size();
        auto *panel = zoom.findChild<QWidget *>(QStringLiteral("panContainer"));
        auto *picture = zoom.findChild<PictureBox *>(QStringLiteral("imgFoto"));
        QCOMPARE(panel->size(), QSize(screen.width() - 60, screen.height() - 90));
        QCOMPARE(picture->size(), panel->size());
        QCOMPARE(panel->geometry().center(), zoom.rect().center());
        QCOMPARE(picture->image(), photo); // held at its own size, only drawn fitted

        // Drawn fitted: full height, proportions kept, centred.
        const QImage shown = picture->grab().toImage();
        const int fittedWidth = panel->height() * 300 / 400;
        const int y = panel->height() / 2;
        QCOMPARE(shown.pixelColor(panel->width() / 2, y), QColor(Qt::darkCyan));
        QVERIFY(shown.pixelColor((panel->width() - fittedWidth) / 2 - 3, y) != QColor(Qt::darkCyan));
        QCOMPARE(shown.pixelColor((panel->width() - fittedWidth) / 2 + 3, y), QColor(Qt::darkCyan));

        QTest::mouseClick(zoom.findChild<QWidget *>(clicked), Qt::LeftButton);
        QVERIFY(!zoom.isVisible());
    }
};

QTEST_MAIN(TestPhotoZoom)
#include "tst_photo_zoom.moc"
