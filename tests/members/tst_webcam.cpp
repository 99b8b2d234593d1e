#include "ModalHelper.h"
#include "TestSupport.h"

#include "common/CallerContext.h"
#include "common/FileDialogs.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/ProgramFolder.h"
#include "members/FrameSource.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmWebCam.h"
#include "records/MemberPhoto.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

namespace {

QImage frameNumber(int n)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n * 37) % 360, 200, 220));
    return image;
}

// A camera that makes numbered frames on a thread of its own, as a real device does.
class GeneratedSource : public FrameSource
{
public:
    explicit GeneratedSource(QObject *parent, bool available) : FrameSource(parent), m_available(available) {}
    ~GeneratedSource() override { stop(); }

    bool isAvailable() const override { return m_available; }

    // Offers `count` frames from another thread and waits until they have all been offered.
    int offerFromThread(int count)
    {
        std::atomic<int> accepted{0};
        std::thread producer([&] {
            for (int i = 0; i < count; ++i)
                if (offer(frameNumber(++m_sent)))
                    ++accepted;
        });
        producer.join();
        return accepted;
    }

    bool deviceRunning = false;

protected:
    bool startDevice() override { return deviceRunning = true; }
    void stopDevice() override { deviceRunning = false; }

private:
    bool m_available;
    int m_sent = 0;
};

} // namespace

class TestWebCam : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_boxes;
    QList<FileDialogs::Request> m_dialogs;
    QString m_savePath;
    QPointer<GeneratedSource> m_source;
    bool m_available = true;

    static void click(QWidget *window, const char *name)
    {
        auto *b = window->findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static QImage picture(QWidget *window, const char *name)
    {
        return window->findChild<PictureBox *>(QString::fromLatin1(name))->image();
    }
    // Frames offered while the user-interface thread is busy are delivered once it is free.
    void deliverOneFrame()
    {
        QVERIFY(m_source);
        QVERIFY(m_source->offerFromThread(1) == 1);
        QCoreApplication::processEvents();
    }

private slots:
    // The camera code, and Qt Multimedia with it, is loaded only when a camera is first looked
    // for: a window set without a webcam window in use never maps it.
    void cameraModuleIsLoadedWhenACameraIsLookedFor()
    {
        const auto mapped = [](const char *name) {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
        };
        QVERIFY(!mapped("libQt6Multimedia"));
        TfrmTiratori sheet;
        TfrmWebCam window;
        QVERIFY(!mapped("libQt6Multimedia"));
        CameraFrameSource camera;
        camera.isAvailable(); // the test machine may or may not have one
        QVERIFY(mapped("libcorvalla_camera.so"));
        QVERIFY(mapped("libQt6Multimedia"));
    }

    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        FrameSources::setFactory([this](QObject *parent) {
            auto *s = new GeneratedSource(parent, m_available);
            m_source = s;
            return s;
        });
        MsgBox::setTestHook([this](MsgBox::Kind, const QString &text) {
            m_boxes << text;
            return MsgBox::Answer::Ok;
        });
        FileDialogs::setTestHook([this](const FileDialogs::Request &r) {
            m_dialogs << r;
            return m_savePath;
        });
    }
    void cleanupTestCase() { FrameSources::setFactory({}); }
    void init()
    {
        m_boxes.clear();
        m_dialogs.clear();
        m_available = true;
    }

    // The sheet's webcam button opens the window with the context "euro_01" and the sheet's photo
    // as the target of "Importa foto".
    void capturedFrameGoesOnTheSheet()
    {
        TfrmTiratori sheet;
        sheet.show();
        const auto ran = Modal::whenShown<TfrmWebCam>([&](TfrmWebCam *webcam) {
            QCOMPARE(callerContext(webcam), QStringLiteral("euro_01"));
            const QImage drawing = picture(webcam, "imgBianco");
            QCOMPARE(drawing.size(), QSize(366, 274));
            QCOMPARE(picture(webcam, "imgCamera"), drawing);

            click(webcam, "btnAccendi");
            QVERIFY(m_source && m_source->deviceRunning);
            deliverOneFrame();
            QCOMPARE(picture(webcam, "imgCamera"), frameNumber(1));
            QCOMPARE(picture(webcam, "imgTarget"), drawing); // nothing captured yet

            click(webcam, "btnCattura");
            deliverOneFrame(); // the live picture moves on; the captured one stays
            QCOMPARE(picture(webcam, "imgCamera"), frameNumber(2));
            QCOMPARE(picture(webcam, "imgTarget"), frameNumber(1));

            click(webcam, "btnImportaFoto");
            QVERIFY(!m_source->deviceRunning);
            QVERIFY(!webcam->isVisible());
            QCOMPARE(webcam->result(), int(QDialog::Accepted));
        });
        QTest::mouseClick(sheet.findChild<QWidget *>(QStringLiteral("btnWebcam")), Qt::LeftButton);
        QVERIFY(*ran);
        QCOMPARE(sheet.photo(), frameNumber(1));
        QVERIFY(m_boxes.isEmpty());
    }

    void importBeforeCaptureGivesTheDrawing()
    {
        TfrmTiratori sheet;
        sheet.show();
        QImage drawing;
        const auto ran = Modal::whenShown<TfrmWebCam>([&](TfrmWebCam *webcam) {
            click(webcam, "btnAccendi");
            deliverOneFrame();
            drawing = picture(webcam, "imgBianco");
            click(webcam, "btnImportaFoto");
        });
        QTest::mouseClick(sheet.findChild<QWidget *>(QStringLiteral("btnWebcam")), Qt::LeftButton);
        QVERIFY(*ran);
        QCOMPARE(sheet.photo(), drawing);
    }

    // A window given no target for its picture puts it nowhere, whatever its caller context.
    void noTargetLeavesTheSheetAlone()
    {
        TfrmTiratori sheet;
        sheet.show(); // a new visit: the placeholder photo
        TfrmWebCam webcam(&sheet);
        setCallerContext(&webcam, QStringLiteral("euro_01"));
        webcam.show();
        click(&webcam, "btnAccendi");
        deliverOneFrame();
        click(&webcam, "btnCattura");
        click(&webcam, "btnImportaFoto");
        QVERIFY(!webcam.isVisible());
        QCOMPARE(sheet.photo(), MemberPhoto::placeholder());
    }

    void noCameraIsReportedAndWindowGoesOn()
    {
        m_available = false;
        TfrmWebCam webcam;
        webcam.show();
        click(&webcam, "btnAccendi");
        QCOMPARE(m_boxes,
                 QStringList{QStringLiteral("Attenzione: nessuna webcam è stata trovata nel sistema.")});
        QVERIFY(m_source && !m_source->deviceRunning);
        QVERIFY(webcam.isVisible());
        click(&webcam, "btnCattura");
        QCOMPARE(picture(&webcam, "imgTarget"), picture(&webcam, "imgBianco"));
        click(&webcam, "btnClose");
        QVERIFY(!webcam.isVisible());
    }

    void framesArrivingWhileBusyAreDroppedNotQueued()
    {
        TfrmWebCam webcam;
        webcam.show();
        click(&webcam, "btnAccendi");
        QSignalSpy drawn(m_source.data(), &FrameSource::frame);
        // The user-interface thread does not run while 50 frames arrive: one waits, the rest go.
        QCOMPARE(m_source->offerFromThread(50), 1);
        QCOMPARE(m_source->droppedFrames(), 49);
        QCoreApplication::processEvents();
        QCOMPARE(drawn.size(), 1);
        QCOMPARE(picture(&webcam, "imgCamera"), frameNumber(1));
        // Once drawn, the next frame is taken again.
        deliverOneFrame();
        QCOMPARE(drawn.size(), 2);
        QCOMPARE(picture(&webcam, "imgCamera"), frameNumber(51));
    }

    void frameAfterSwitchingOffIsNotDrawn()
    {
        TfrmWebCam webcam;
        webcam.show();
        click(&webcam, "btnAccendi");
        QCOMPARE(m_source->offerFromThread(1), 1);
        click(&webcam, "btnSpegni");
        QCoreApplication::processEvents();
        QCOMPARE(picture(&webcam, "imgCamera"), picture(&webcam, "imgBianco"));
    }

    void closingAlwaysSwitchesOff_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Annulla") << "btnClose";
        QTest::newRow("Escape key") << "escape";
        QTest::newRow("window destroyed") << "delete";
    }
    void closingAlwaysSwitchesOff()
    {
        QFETCH(QString, how);
        auto *webcam = new TfrmWebCam;
        webcam->show();
        click(webcam, "btnAccendi");
        QPointer<GeneratedSource> source = m_source;
        QVERIFY(source->deviceRunning);
        if (how == QLatin1String("btnClose"))
            click(webcam, "btnClose");
        else if (how == QLatin1String("escape"))
            QTest::keyClick(webcam, Qt::Key_Escape);
        if (how != QLatin1String("delete")) {
            QVERIFY(!webcam->isVisible());
            QVERIFY(!source->deviceRunning);
        }
        delete webcam;
        QVERIFY(!source); // the source belongs to the window
    }

    void saveCapturedPicture_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("written");
        QTest::newRow("written") << "/Foto.jpg" << true;
        QTest::newRow("folder missing") << "/manca/Foto.jpg" << false;
    }
    void saveCapturedPicture()
    {
        QFETCH(QString, relative);
        QFETCH(bool, written);
        m_savePath = m_dir.path() + relative;
        TfrmWebCam webcam;
        webcam.show();
        click(&webcam, "btnAccendi");
        deliverOneFrame();
        click(&webcam, "btnCattura");
        click(&webcam, "btnSalvaFotogramma");

        QCOMPARE(m_dialogs.size(), 1);
        QCOMPARE(int(m_dialogs[0].kind), int(FileDialogs::Request::Kind::Save));
        QCOMPARE(m_dialogs[0].title,
                 QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
        QCOMPARE(m_dialogs[0].filter, QStringLiteral("File Jpeg (*.jpg)|*.jpg"));
        QCOMPARE(m_dialogs[0].proposedName, QStringLiteral("Foto.jpg"));
        QCOMPARE(MemberPhoto::readPicture(m_savePath).size(), written ? QSize(640, 480) : QSize(0, 0));
        QCOMPARE(picture(&webcam, "imgTarget"), written ? frameNumber(1) : picture(&webcam, "imgBianco"));
        QVERIFY(m_boxes.isEmpty());
    }
};

QTEST_MAIN(TestWebCam)
#include "tst_webcam.moc"
