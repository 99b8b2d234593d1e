// The program's vector pictures: drawn beforehand at their own size and at twice it, and giving
// the same pixels as drawing the vector picture then; any other size is drawn from the vector.
#include "TestSupport.h"

#include "common/ResourceImage.h"
#include "common/SvgRendering.h"

#include <QDirIterator>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

namespace {
// The reference: the vector picture drawn by the SVG library itself into a transparent image.
QImage vectorDrawing(QSvgRenderer &renderer, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
} // namespace

class TestPictures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { corvallaTestInit(); }

    void sameAsTheVectorDrawing_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<int>("ratio"); // 0: an odd size drawn from the vector
        QDirIterator it(QStringLiteral(":/pictures"), {QStringLiteral("*.svg")});
        while (it.hasNext()) {
            const QString resource = it.next();
            for (int ratio : {1, 2, 0})
                QTest::addRow("%s at %d", qPrintable(it.fileName()), ratio) << resource << ratio;
        }
    }

    void sameAsTheVectorDrawing()
    {
        QFETCH(QString, resource);
        QFETCH(int, ratio);
        QSvgRenderer renderer(resource);
        QVERIFY(renderer.isValid());
        const QSize size = ratio ? renderer.defaultSize() * ratio : renderer.defaultSize() * 3 / 2;
        if (ratio) {
            const QString drawn = QStringLiteral(":/rendered/%1@%2x.png")
                                      .arg(QFileInfo(resource).completeBaseName())
                                      .arg(ratio);
            QVERIFY2(QFile::exists(drawn), qPrintable(drawn + " was not drawn beforehand"));
        }
        const QImage image = resourceImage(resource, size);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(image, vectorDrawing(renderer, size));
        if (ratio == 1) {
            QCOMPARE(svgSize(resource), renderer.defaultSize());
            QCOMPARE(resourceImage(resource), image); // no size: its own
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
