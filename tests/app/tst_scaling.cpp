// A magnified display: at a scale factor of 2 every picture of every window is drawn at the
// screen's pixel density (from its vector source), not a small bitmap stretched.
#include "TestSupport.h"

#include "AllWindows.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestScaling : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        AllWindows::prepareWindows(m_dir);
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    // Every picture on show in every window, once the window has been shown and painted.
    void picturesAreSharp()
    {
        QStringList blurred;
        for (const auto &entry : AllWindows::everyWindow()) {
            std::unique_ptr<QWidget> window(entry.second());
            window->show();
            QCoreApplication::processEvents();
            window->grab(); // paints every picture button once
            for (const QLabel *label : window->findChildren<QLabel *>()) {
                const QPixmap picture = label->pixmap();
                if (!picture.isNull() && label->isVisibleTo(window.get()) && picture.devicePixelRatio() < 2.0)
                    blurred << QStringLiteral("%1: %2").arg(QLatin1String(entry.first), label->objectName());
            }
            window->hide();
        }
        for (const QString &b : blurred)
            qWarning("drawn at a lower density than the screen's: %s", qPrintable(b));
        QVERIFY(blurred.isEmpty());
    }

    // Each window shown as the program shows it on a full-HD screen magnified twice (960 x 540
    // device-independent pixels): no control covers another, the window lies on the screen, and a
    // picture of the window is kept in the test's folder (shots-scaled/<window>.png,
    // shots-scaled-wm/ under a window manager) for a look.
    void nothingOverlaps()
    {
        const QStringList overlaps = AllWindows::showEachFindingOverlaps(QStringLiteral("shots-scaled"), {},
                                                                         &AllWindows::leavesTheScreen);
        for (const QString &o : overlaps)
            qWarning("%s", qPrintable(o));
        QVERIFY(overlaps.isEmpty());
    }
};

// A full-HD screen at a scale factor of 2, as such a display is commonly set up.
int main(int argc, char **argv)
{
    return AllWindows::runOnScreen<TestScaling>(argc, argv, QSize(1920, 1080), "2");
}

#include "tst_scaling.moc"
