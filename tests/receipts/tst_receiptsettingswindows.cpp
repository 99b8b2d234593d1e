// The numbering window and the logo window of the receipts, through the real windows.
#include "TestSupport.h"
#include "app/AppTestSupport.h"

#include "common/CallerContext.h"
#include "common/FileDialogs.h"
#include "common/IniFile.h"
#include "common/PictureBox.h"
#include "common/ProgramFolder.h"
#include "receipts/ReceiptLogo.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using MsgBox::Kind;

namespace {

QString storedStart()
{
    return Ini::read(ReceiptSettings::filePath(), QStringLiteral("Numerazione Ricevute"),
                     QStringLiteral("Inizio"), QStringLiteral("<none>"));
}

QImage filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestReceiptSettingsWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<BoxRecorder> m_boxes;

    template <typename W> QPushButton *button(W &window, const char *name)
    {
        return window.template findChild<QPushButton *>(QLatin1String(name));
    }

private slots:
    void initTestCase() { corvallaTestInit(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        setProgramFolder(m_dir->path());
        m_boxes = std::make_unique<BoxRecorder>();
    }

    void cleanup()
    {
        m_boxes.reset();
        FileDialogs::setTestHook(nullptr);
    }

    // The numbering window as the receipt window opens it: its caption and context, the start
    // number shown, and what "Applica e chiudi" writes (the number as leaving the field leaves it).
    void numberingFromTheReceiptWindow_data()
    {
        QTest::addColumn<QString>("stored"); // "<none>": no settings file
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("entered"); // "-": the field is left as shown
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("written");
        QTest::newRow("no settings file") << "<none>"
                                          << "1"
                                          << "-"
                                          << "btnApplica"
                                          << "1";
        QTest::newRow("leading zeros") << ""
                                       << "1"
                                       << "0100"
                                       << "btnApplica"
                                       << "100";
        QTest::newRow("emptied") << "50"
                                 << "50"
                                 << ""
                                 << "btnApplica"
                                 << "1";
        QTest::newRow("zero") << "50"
                              << "50"
                              << "0"
                              << "btnApplica"
                              << "0";
        QTest::newRow("cancelled") << "50"
                                   << "50"
                                   << "99"
                                   << "btnAnnulla"
                                   << "50";
    }
    void numberingFromTheReceiptWindow()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, entered);
        QFETCH(QString, button);
        QFETCH(QString, written);
        if (stored != QLatin1String("<none>"))
            QVERIFY(ReceiptSettings::writeStartNumber(stored));
        TfrmRicevuta receipts;
        receipts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&receipts));
        QString caption, context, onShow;
        const QByteArray seen = withModalWindow(
            [&] { receipts.findChild<QToolButton *>(QStringLiteral("cmdNumerazione"))->click(); },
            [&](QWidget *window) {
                caption = window->windowTitle();
                context = callerContext(window);
                auto *field = window->findChild<QLineEdit *>(QStringLiteral("txtInizio"));
                onShow = field->text();
                if (entered != QLatin1String("-"))
                    field->setText(entered);
                window->findChild<QPushButton *>(button)->click();
            });
        QCOMPARE(seen, QByteArray("TfrmNumerazione"));
        QCOMPARE(caption, QStringLiteral(" Impostazione inizio numerazione ricevute"));
        QCOMPARE(context, QStringLiteral("ricevute"));
        QCOMPARE(onShow, shown);
        QCOMPARE(storedStart(), written);
        QCOMPARE(m_boxes->boxes.size(), 0);
    }

    // The field takes digits only, shows its band while it has the focus and is normalised when
    // Enter leaves it for "Applica e chiudi".
    void numberingFieldOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("leading zeros") << "0100"
                                       << "100";
        QTest::newRow("nothing") << ""
                                 << "1";
        QTest::newRow("letters are not typed") << "7a"
                                               << "7";
        QTest::newRow("zeros") << "000"
                               << "0";
        QTest::newRow("five digits at most") << "1234567"
                                             << "12345";
    }
    void numberingFieldOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        TfrmNumerazione window;
        setCallerContext(&window, QStringLiteral("ricevute"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtInizio"));
        auto *band = window.findChild<QWidget *>(QStringLiteral("effInizio"));
        QCOMPARE(window.focusWidget(), field);
        QVERIFY(band->isVisible());
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(window.focusWidget(), button(window, "btnApplica"));
        QCOMPARE(field->text(), left);
        QVERIFY(!band->isVisible());
        QCOMPARE(storedStart(), QStringLiteral("<none>"));
    }

    // A window that was given nowhere to keep the start number neither reads nor writes one, whatever
    // its caller context.
    void numberingUnderAnotherContext()
    {
        QVERIFY(ReceiptSettings::writeStartNumber(QStringLiteral("50")));
        TfrmNumerazione window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Impostazione inizio numerazione"));
        setCallerContext(&window, QStringLiteral("ricevute"));
        window.show();
        auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtInizio"));
        QCOMPARE(field->text(), QStringLiteral("1"));
        field->setText(QStringLiteral("7"));
        button(window, "btnApplica")->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(storedStart(), QStringLiteral("50"));
    }

    // A settings file that cannot be written is reported and the window stays open.
    void numberingThatCannotBeWritten()
    {
        QVERIFY(QDir().mkpath(ReceiptSettings::filePath()));
        TfrmRicevuta receipts;
        receipts.show();
        bool stayedOpen = false;
        withModalWindow([&] { receipts.findChild<QToolButton *>(QStringLiteral("cmdNumerazione"))->click(); },
                        [&](QWidget *window) {
                            window->findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
                            stayedOpen = window->isVisible();
                        });
        QCOMPARE(m_boxes->boxes.size(), 1);
        QCOMPARE(m_boxes->boxes.first().first, Kind::Warning);
        QVERIFY(m_boxes->boxes.first().second.startsWith(
            QStringLiteral("Attenzione: non è stato possibile salvare il numero iniziale")));
        QVERIFY(stayedOpen);
    }

    // The logo on show: the logo file, or the default logo when it is missing or not a picture.
    // With "Nessun logo" saved (the white dot), the receipt window's logo button still shows where
    // to click: its frame stands out from the white.
    void logoButtonVisibleWithoutALogo()
    {
        QVERIFY(ReceiptLogo::save(ReceiptLogo::whiteDot()));
        TfrmRicevuta receipts;
        receipts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&receipts));
        auto *button = receipts.findChild<QToolButton *>(QStringLiteral("cmdLogo"));
        const QImage shown = button->grab().toImage();
        int framed = 0;
        for (int x = 0; x < shown.width(); ++x)
            framed += qGray(shown.pixel(x, 0)) < 230 ? 1 : 0;
        QVERIFY2(framed > shown.width() / 2, qPrintable(QString::number(framed)));
    }

    void logoShown_data()
    {
        QTest::addColumn<QByteArray>("file"); // "<none>": no logo file; "<red>": a red 40 x 30 bitmap
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("isDefault");
        QTest::newRow("no logo file") << QByteArray("<none>") << QSize(297, 184) << true;
        QTest::newRow("not a picture") << QByteArray("BM this is not a bitmap") << QSize(297, 184) << true;
        QTest::newRow("a bitmap") << QByteArray("<red>") << QSize(40, 30) << false;
    }
    void logoShown()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        QFETCH(bool, isDefault);
        if (file == "<red>")
            QVERIFY(filled(40, 30, Qt::red).save(ReceiptLogo::filePath(), "BMP"));
        else if (file != "<none>")
            writeFile(ReceiptLogo::filePath(), file);
        TfrmLogo window;
        QCOMPARE(window.windowTitle(), QStringLiteral(" Impostazione logo"));
        window.show();
        QCOMPARE(window.logo().size(), size);
        QCOMPARE(window.logo() == ReceiptLogo::defaultLogo(), isDefault);
        QCOMPARE(ReceiptLogo::load(), window.logo());
    }

    // The euro sign puts back the default logo; the eraser the white dot, which is saved as a
    // 2 x 2 white bitmap.
    void logoButtons()
    {
        TfrmLogo window;
        window.show();
        window.findChild<QToolButton *>(QStringLiteral("imgCancella"))->click();
        QCOMPARE(window.logo(), ReceiptLogo::whiteDot());
        button(window, "btnApplica")->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(readAll(ReceiptLogo::filePath()).left(2), QByteArray("BM"));
        const QImage saved(ReceiptLogo::filePath());
        QCOMPARE(saved.size(), QSize(2, 2));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                QCOMPARE(saved.pixelColor(x, y), QColor(Qt::white));

        TfrmLogo again;
        again.show();
        QCOMPARE(again.logo().size(), QSize(2, 2));
        again.findChild<QToolButton *>(QStringLiteral("imgEuro"))->click();
        QCOMPARE(again.logo(), ReceiptLogo::defaultLogo());
        QCOMPARE(again.logo().size(), QSize(297, 184));
        // "Annulla" writes nothing.
        button(again, "btnAnnulla")->click();
        QCOMPARE(QImage(ReceiptLogo::filePath()).size(), QSize(2, 2));
    }

    // "Sfoglia...": a JPEG chosen is stored as a bitmap; a cancelled dialog changes nothing; a file
    // that is not a picture shows the default logo.
    void logoFromAFile_data()
    {
        QTest::addColumn<QString>("chosen"); // "": cancelled
        QTest::addColumn<QSize>("shown");
        QTest::newRow("a JPEG") << "logo.jpg" << QSize(64, 48);
        QTest::newRow("cancelled") << "" << QSize(40, 30);
        QTest::newRow("not a picture") << "testo.bmp" << QSize(297, 184);
    }
    void logoFromAFile()
    {
        QFETCH(QString, chosen);
        QFETCH(QSize, shown);
        QVERIFY(filled(40, 30, Qt::red).save(ReceiptLogo::filePath(), "BMP"));
        const QString jpeg = QDir(m_dir->path()).filePath(QStringLiteral("logo.jpg"));
        QVERIFY(filled(64, 48, Qt::blue).save(jpeg, "JPG"));
        writeFile(QDir(m_dir->path()).filePath(QStringLiteral("testo.bmp")), "non sono un'immagine");
        FileDialogs::Request asked;
        FileDialogs::setTestHook([&](const FileDialogs::Request &request) {
            asked = request;
            return chosen.isEmpty() ? QString() : QDir(m_dir->path()).filePath(chosen);
        });
        TfrmLogo window;
        window.show();
        button(window, "btnSfoglia")->click();
        QCOMPARE(asked.kind, FileDialogs::Request::Kind::Open);
        QCOMPARE(asked.title, QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."));
        QCOMPARE(asked.filter,
                 QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp"));
        QCOMPARE(window.logo().size(), shown);
        button(window, "btnApplica")->click();
        QCOMPARE(readAll(ReceiptLogo::filePath()).left(2), QByteArray("BM"));
        QCOMPARE(QImage(ReceiptLogo::filePath(), "BMP").size(), shown);
    }

    // A save cut short (the disk fills up) keeps the earlier logo whole, says so and leaves the
    // window open with the chosen picture.
    void logoSaveFailureKeepsTheOldFile()
    {
        QVERIFY(filled(40, 30, Qt::red).save(ReceiptLogo::filePath(), "BMP"));
        const QByteArray before = readAll(ReceiptLogo::filePath());
        const QString big = QDir(m_dir->path()).filePath(QStringLiteral("grande.bmp"));
        QVERIFY(filled(1200, 900, Qt::green).save(big, "BMP"));
        FileDialogs::setTestHook([&](const FileDialogs::Request &) { return big; });
        TfrmLogo window;
        window.show();
        button(window, "btnSfoglia")->click();
        QCOMPARE(window.logo().size(), QSize(1200, 900));

        {
            const FileSizeLimit full(256 * 1024);
            button(window, "btnApplica")->click();
        }

        QCOMPARE(m_boxes->boxes.size(), 1);
        QCOMPARE(m_boxes->boxes.first().first, Kind::Warning);
        QCOMPARE(m_boxes->boxes.first().second,
                 QStringLiteral("Attenzione: non è stato possibile salvare il logo nel file Logo.bmp.\n\r\n\r"
                                "Lo spazio sul disco è esaurito: liberare spazio e ripetere l'operazione."));
        QVERIFY(window.isVisible());
        QCOMPARE(window.logo().size(), QSize(1200, 900));
        QCOMPARE(readAll(ReceiptLogo::filePath()), before);
        // No half-written temporary file is left behind.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{QStringLiteral("Logo.bmp"), QStringLiteral("grande.bmp")}));

        // With room again the same picture is saved.
        button(window, "btnApplica")->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(QImage(ReceiptLogo::filePath()).size(), QSize(1200, 900));
    }
};

QTEST_MAIN(TestReceiptSettingsWindows)
#include "tst_receiptsettingswindows.moc"
