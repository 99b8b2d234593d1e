// A small laptop: on a screen of 1024 x 600 pixels every window of the program fits (a window
// that does not fit its content scrolls instead of growing), so that all its controls and
// buttons can be reached.
#include "TestSupport.h"

#include "AllWindows.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
// The screen less the title bar and the frame that a window manager adds.
const QSize kRoom(1024 - 8, 600 - 40);
} // namespace

class TestSmallScreen : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { AllWindows::prepareWindows(m_dir); }

    // The least size each window can take, with its layout and its fixed sizes.
    void everyWindowFits()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1024, 600));
        QStringList tooLarge;
        for (const auto &entry : AllWindows::everyWindow()) {
            std::unique_ptr<QWidget> window(entry.second());
            window->ensurePolished();
            if (window->layout())
                window->layout()->activate();
            const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
            if (least.width() > kRoom.width() || least.height() > kRoom.height())
                tooLarge << QStringLiteral("%1: %2 x %3")
                                .arg(QLatin1String(entry.first))
                                .arg(least.width())
                                .arg(least.height());
        }
        for (const QString &w : tooLarge)
            qWarning("larger than a 1024 x 600 screen: %s", qPrintable(w));
        QVERIFY(tooLarge.isEmpty());
    }

    // Each window shown as the program shows it on that screen: no control covers another, the
    // window (under a window manager, with its frame and title) lies on the screen, so that every
    // button can be reached, and a picture of the window is kept in the test's folder
    // (shots-small/<window>.png, shots-small-wm/ under a window manager) for a look.
    void nothingOverlaps()
    {
        const QStringList overlaps = AllWindows::showEachFindingOverlaps(
            QStringLiteral("shots-small"), nullptr, &AllWindows::leavesTheScreen);
        for (const QString &o : overlaps)
            qWarning("%s", qPrintable(o));
        QVERIFY(overlaps.isEmpty());
    }
};

// The test runs on a screen of that size.
int main(int argc, char **argv)
{
    return AllWindows::runOnScreen<TestSmallScreen>(argc, argv, QSize(1024, 600), "1");
}
#include "tst_smallscreen.moc"
