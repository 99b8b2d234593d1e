// A magnified display: at a scale factor of 2 every picture of every window is drawn at the
// screen's pixel density (from its vector source), not a small bitmap stretched.
#include "TestSupport.h"

#include "AllWindows.h"
#include "ModalHelper.h"
#include "cards/TfrmTessera.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/ProgramFolder.h"
#include "receipts/TfrmRicevuta.h"
#include "takings/TfrmMenuRiepCosti.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
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
    // Message boxes draw their icons from the program's vector pictures at the screen's density.
    void messageBoxIconsAreSharp_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("warning") << int(MsgBox::Kind::Warning);
        QTest::newRow("information") << int(MsgBox::Kind::Information);
        QTest::newRow("error") << int(MsgBox::Kind::Error);
        QTest::newRow("question") << int(MsgBox::Kind::Confirmation);
    }
    void messageBoxIconsAreSharp()
    {
        QFETCH(int, kind);
        MsgBox::setTestHook(nullptr);
        QPixmap icon;
        Modal::whenShown<QMessageBox>([&](QMessageBox *box) {
            icon = box->iconPixmap();
            box->close();
        });
        MsgBox::show(nullptr, MsgBox::Kind(kind), QStringLiteral("Prova"));
        MsgBox::setTestHook([](MsgBox::Kind, const QString &) { return MsgBox::Answer::Ok; });
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.devicePixelRatio(), 2.0);
        QVERIFY(icon.width() >= 64); // 32 device-independent pixels or more, drawn at twice that
    }

    // On the magnified full-HD screen: the summary period's labels stand level with their fields,
    // and the receipt's TOTALE row and the card window's instructions are in view without
    // scrolling.
    void lowScreenKeepsTheWholeRecordInView()
    {
        std::unique_ptr<QWidget> period(AllWindows::make<TfrmMenuRiepCosti>()());
        period->show();
        QCoreApplication::processEvents();
        for (QLabel *label : period->findChildren<QLabel *>()) {
            QWidget *field = label->buddy();
            if (!field || !QStringList({"txtAnno", "txtEsecutore", "txtCCP"}).contains(field->objectName()))
                continue;
            const int labelMiddle = label->mapTo(period.get(), label->rect().center()).y();
            const int fieldMiddle = field->mapTo(period.get(), field->rect().center()).y();
            QVERIFY2(qAbs(labelMiddle - fieldMiddle) <= 2,
                     qPrintable(QStringLiteral("%1 at %2, its field at %3")
                                    .arg(label->text())
                                    .arg(labelMiddle)
                                    .arg(fieldMiddle)));
        }

        const struct
        {
            AllWindows::Make make;
            QStringList controls;
        } windows[] = {
            {AllWindows::make<TfrmRicevuta>(), {"titImporto", "txtImporto", "txtCents"}},
            {AllWindows::make<TfrmTessera>(), {"lblIstruzioni01", "lblIstruzioni02", "lblIstruzioni03"}},
        };
        for (const auto &w : windows) {
            std::unique_ptr<QWidget> window(w.make());
            window->show();
            QCoreApplication::processEvents();
            auto *view = window->findChild<QScrollArea *>();
            QVERIFY(view);
            // Once the view has settled: no scroll bar is needed.
            QTRY_COMPARE(view->verticalScrollBar()->maximum(), 0);
            QTRY_COMPARE(view->horizontalScrollBar()->maximum(), 0);
            for (const QString &name : w.controls) {
                auto *control = window->findChild<QWidget *>(name);
                QVERIFY2(control, qPrintable(name));
                const QRect shown(control->mapTo(view->viewport(), QPoint(0, 0)), control->size());
                QVERIFY2(view->viewport()->rect().contains(shown),
                         qPrintable(QStringLiteral("%1 of %2 out of view").arg(name, window->objectName())));
            }
        }
    }
};

// A full-HD screen at a scale factor of 2, as such a display is commonly set up.
int main(int argc, char **argv)
{
    return AllWindows::runOnScreen<TestScaling>(argc, argv, QSize(1920, 1080), "2");
}

#include "tst_scaling.moc"
