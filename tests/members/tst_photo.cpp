#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "receipts/ReceiptLogo.h"
#include "records/MemberArchive.h"
#include "records/MemberPhoto.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

class TestPhoto : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static QImage sample(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        for (int y = 0; y < h / 2; ++y)
            for (int x = 0; x < w / 3; ++x)
                image.setPixel(x, y, qRgb(20, 120, 220));
        return image;
    }
    static bool isPlaceholder(const QImage &image)
    {
        return image.size() == QSize(307, 394) && image == MemberPhoto::placeholder();
    }
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        setProgramFolder(m_dir.path());
    }

    void placeholderIsTheSilhouette()
    {
        const QImage p = MemberPhoto::placeholder();
        QCOMPARE(p.size(), QSize(307, 394));
        QVERIFY(!p.hasAlphaChannel());
        // Light silhouette on a pale ground: not one flat colour, and bluish everywhere.
        const QColor corner = p.pixelColor(2, 2);
        const QColor centre = p.pixelColor(153, 150);
        QVERIFY(corner != centre);
        QVERIFY(corner.blue() >= corner.red());
        QVERIFY(centre.blue() > centre.red());
    }

    void loadFallsBackToPlaceholder_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("zero bytes") << QByteArray("");
        QTest::newRow("text file") << QByteArray("Questo non e' un JPEG.\r\n");
        QTest::newRow("truncated JPEG header") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
    }
    void loadFallsBackToPlaceholder()
    {
        QFETCH(QByteArray, content);
        QVERIFY(QDir().mkpath(MemberArchive::photoFolder()));
        if (!content.isNull())
            writeBytes(MemberArchive::photoPath(QStringLiteral("4")), content);
        QVERIFY(isPlaceholder(MemberPhoto::load(QStringLiteral("4"))));
    }

    void loadCreatesPhotoFolder()
    {
        QVERIFY(!QDir(MemberArchive::photoFolder()).exists());
        QVERIFY(isPlaceholder(MemberPhoto::load(QStringLiteral("1"))));
        QVERIFY(QDir(MemberArchive::photoFolder()).exists());
    }

    void saveWritesJpegOfPosition()
    {
        const QImage photo = sample(640, 480);
        QVERIFY(MemberPhoto::save(photo, QStringLiteral(" 12 ")));
        const QString path = m_dir.path() + QStringLiteral("/Anagrafica/Scheda_Iscritto_12.jpg");
        QVERIFY(QFile::exists(path));
        QCOMPARE(QImageReader(path).format(), QByteArray("jpeg"));

        const QImage back = MemberPhoto::load(QStringLiteral("12"));
        QCOMPARE(back.size(), photo.size());
        // JPEG is lossy: compare colours away from the edges.
        const QColor blue = back.pixelColor(50, 50), red = back.pixelColor(600, 400);
        QVERIFY(qAbs(blue.blue() - 220) < 12 && qAbs(blue.red() - 20) < 12);
        QVERIFY(qAbs(red.red() - 200) < 12 && qAbs(red.blue() - 40) < 12);

        // A second save replaces the file.
        QVERIFY(MemberPhoto::save(MemberPhoto::placeholder(), QStringLiteral("12")));
        QCOMPARE(MemberPhoto::load(QStringLiteral("12")).size(), QSize(307, 394));
    }

    void saveFailsWhenFolderCannotBeMade()
    {
        // A plain file where the photo folder should be.
        writeBytes(m_dir.path() + QStringLiteral("/Anagrafica"), "x");
        QVERIFY(!MemberPhoto::save(sample(10, 10), QStringLiteral("1")));
        QVERIFY(isPlaceholder(MemberPhoto::load(QStringLiteral("1"))));
    }

    void transparentPictureIsSavedOnWhite()
    {
        QImage clear(40, 40, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        const QString path = m_dir.path() + QStringLiteral("/clear.jpg");
        QVERIFY(MemberPhoto::writeJpeg(clear, path));
        QVERIFY(MemberPhoto::readPicture(path).pixelColor(20, 20).lightness() > 245);
    }

    void writeJpegRefusesBadTargets_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("nullPicture");
        QTest::newRow("missing folder") << QStringLiteral("/nessuna/Foto.jpg") << false;
        QTest::newRow("null picture") << QStringLiteral("/Foto.jpg") << true;
    }
    void writeJpegRefusesBadTargets()
    {
        QFETCH(QString, relative);
        QFETCH(bool, nullPicture);
        const QString path = m_dir.path() + relative;
        QVERIFY(!MemberPhoto::writeJpeg(nullPicture ? QImage() : sample(8, 8), path));
        QVERIFY(!QFile::exists(path));
    }

    void bitmapIsRead()
    {
        const QString path = m_dir.path() + QStringLiteral("/logo.bmp");
        QVERIFY(sample(33, 21).save(path, "BMP"));
        QCOMPARE(MemberPhoto::readPicture(path).size(), QSize(33, 21));
    }

    void hugePictureIsReadScaledDown()
    {
        // 10000 x 10000 would take 400 MB decoded; the reader scales it while decoding.
        const QString path = m_dir.path() + QStringLiteral("/huge.jpg");
        {
            QImage huge(10000, 10000, QImage::Format_Grayscale8);
            huge.fill(128);
            QVERIFY(huge.save(path, "JPEG", 50));
        }
        QElapsedTimer t;
        t.start();
        const QImage image = MemberPhoto::readPicture(path);
        qInfo("10000 x 10000 JPEG read in %lld ms", t.elapsed());
        QCOMPARE(image.size(), QSize(4096, 4096));
    }

    // A long, narrow picture is scaled to the longest side too, keeping at least a pixel across.
    void longNarrowPictureIsReadScaledDown_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("topDown");
        QTest::addColumn<QSize>("read");
        QTest::newRow("tall") << QSize(7, 262140) << false << QSize(1, 4096);
        QTest::newRow("wide") << QSize(50000, 3) << false << QSize(4096, 1);
        QTest::newRow("tall, proportions kept") << QSize(100, 8192) << false << QSize(50, 4096);
        // Its reader cannot tell the size of a top-down bitmap before decoding it.
        QTest::newRow("top-down bitmap") << QSize(7, 262140) << true << QSize(1, 4096);
    }
    void longNarrowPictureIsReadScaledDown()
    {
        QFETCH(QSize, size);
        QFETCH(bool, topDown);
        QFETCH(QSize, read);
        QImage picture(size, QImage::Format_Mono);
        picture.fill(1);
        QByteArray bmp;
        {
            QBuffer buffer(&bmp);
            QVERIFY(buffer.open(QIODevice::WriteOnly));
            QVERIFY(picture.save(&buffer, "BMP"));
        }
        if (topDown) { // a negative height: rows from the top (all rows are the same here)
            const qint32 height = -size.height();
            std::memcpy(bmp.data() + 22, &height, sizeof height);
        }
        const QString path = m_dir.path() + QStringLiteral("/long.bmp");
        writeBytes(path, bmp);
        QCOMPARE(MemberPhoto::readPicture(path).size(), read);
    }

    void giantBitmapHeaderIsRefused()
    {
        // A bitmap header claiming 30000 x 30000 pixels with no pixels behind it.
        QByteArray bmp;
        QDataStream s(&bmp, QIODevice::WriteOnly);
        s.setByteOrder(QDataStream::LittleEndian);
        const quint32 width = 30000, height = 30000;
        s.writeRawData("BM", 2);
        s << quint32(54 + width * height * 3) << quint32(0) << quint32(54);
        s << quint32(40) << qint32(width) << qint32(height) << quint16(1) << quint16(24) << quint32(0)
          << quint32(width * height * 3) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
        const QString path = m_dir.path() + QStringLiteral("/giant.bmp");
        writeBytes(path, bmp);
        QVERIFY(MemberPhoto::readPicture(path).isNull());
    }

    // A JPEG cut short decodes with a grey lower part and no error: it is not a picture, and the
    // sheet shows the placeholder rather than storing a half photo. The whole file still reads.
    void truncatedJpegIsNotAPicture()
    {
        QImage photo(300, 400, QImage::Format_RGB32);
        photo.fill(QColor(200, 40, 40));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(photo.save(&buffer, "JPG"));
        const QString whole = m_dir.path() + QStringLiteral("/intera.jpg");
        const QString cut = m_dir.path() + QStringLiteral("/tagliata.jpg");
        writeBytes(whole, jpeg);
        writeBytes(cut, jpeg.left(jpeg.size() / 2));
        QCOMPARE(MemberPhoto::readPicture(whole).size(), QSize(300, 400));
        QVERIFY(MemberPhoto::readPicture(cut).isNull());
        QVERIFY(ReceiptLogo::readPicture(cut).isNull());
    }
};

QTEST_MAIN(TestPhoto)
#include "tst_photo.moc"
