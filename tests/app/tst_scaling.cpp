// A magnified display: at a scale factor of 2 every picture of every window is drawn at the
// screen's pixel density (from its vector source), not a small bitmap stretched.
#include "TestSupport.h"

#include "AllWindows.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/ProgramFolder.h"

#include <QApplication>
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
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        MsgBox::setTestHook([](MsgBox::Kind, const QString &) { return MsgBox::Answer::Ok; });
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
};

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestScaling test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scaling.moc"
