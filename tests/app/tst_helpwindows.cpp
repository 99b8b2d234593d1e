#include "AppTestSupport.h"
#include "TestSupport.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "common/HelpTopics.h"
#include "common/OpenURL.h"
#include "common/PictureButton.h"
#include "common/ProgramFolder.h"
#include "common/TfrmGuida.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <memory>

namespace {
std::unique_ptr<QDialog> makeWindow(const QByteArray &cls)
{
    if (cls == "TfrmGuida")
        return std::make_unique<TfrmGuida>();
    if (cls == "TfrmInfo")
        return std::make_unique<TfrmInfo>();
    return std::make_unique<TfrmSplash>();
}
} // namespace

class tst_HelpWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        setProgramFolder(dir.path()); // no Guida.pdf there
    }
    void cleanup() { TMisc::setTestHook(nullptr); }

    void parseTopic_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::newRow("LF") << QByteArray("Titolo\n\nUno.\n\nDue due.\n") << "Titolo"
                            << QStringList{"Uno.", "Due due."};
        QTest::newRow("CR LF, no final line end")
            << QByteArray("Titolo\r\n\r\nUno.\r\n\r\nDue.") << "Titolo" << QStringList{"Uno.", "Due."};
        QTest::newRow("byte order mark, trailing blank lines")
            << QByteArray("\xEF\xBB\xBFTitolo\n\nUno.\n\n\n") << "Titolo" << QStringList{"Uno."};
        QTest::newRow("accents") << QByteArray("Perché\n\nè così.\n") << QStringLiteral("Perché")
                                 << QStringList{QStringLiteral("è così.")};
    }
    void parseTopic()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, title);
        QFETCH(QStringList, paragraphs);
        const std::optional<HelpTopic> topic = parseHelpTopic(file);
        QVERIFY(topic);
        QCOMPARE(topic->title, title);
        QCOMPARE(topic->paragraphs, paragraphs);
        QCOMPARE(topic->text(), paragraphs.join(QStringLiteral("\r\n\r\n")));
    }

    void parseTopic_withoutTitle()
    {
        QVERIFY(!parseHelpTopic(QByteArray()));
        QVERIFY(!parseHelpTopic("\n\nUno.\n"));
    }

    void builtInTopics_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("paragraphs");
        QTest::newRow("general") << "Uno sguardo a Corvalla" << 36;
        QTest::newRow("members") << "App Archivio Iscritti" << 10;
        QTest::newRow("cards") << "App Stampa Tessere" << 4;
        QTest::newRow("receipts") << "App Stampa Ricevute" << 11;
        QTest::newRow("takings") << "App Riepilogo Incassi" << 4;
        QTest::newRow("member export") << "Esportazione archivio iscritti in Microsoft Excel" << 3;
        QTest::newRow("receipt export") << "Esportazione archivio ricevute in Microsoft Excel" << 3;
    }
    void builtInTopics()
    {
        QFETCH(QString, title);
        QFETCH(int, paragraphs);
        const std::optional<HelpTopic> topic = findHelpTopic(title);
        QVERIFY2(topic, qPrintable(title));
        QCOMPARE(topic->paragraphs.size(), paragraphs);

        // Opened from any window, the help window shows the title and the text from its start.
        QWidget caller;
        QString shownTitle, shownText;
        int cursor = -1, scroll = -1;
        const QByteArray seen =
            withModalWindow([&] { showHelpTopic(&caller, title); },
                            [&](QWidget *w) {
                                shownTitle = w->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
                                auto *text = w->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"));
                                shownText = text->toPlainText();
                                cursor = text->textCursor().position();
                                scroll = text->verticalScrollBar()->value();
                                QVERIFY(text->isReadOnly());
                            });
        QCOMPARE(seen, QByteArray("TfrmGuida"));
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownText, topic->paragraphs.join(QStringLiteral("\n\n")));
        QCOMPARE(cursor, 0);
        QCOMPARE(scroll, 0);
    }

    void guida_beforeTopic()
    {
        TfrmGuida w;
        auto *title = w.findChild<QLabel *>(QStringLiteral("lblTitolo"));
        QCOMPARE(title->text(), QStringLiteral("Argomento della guida."));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0xDC, 0x14, 0x3C));
        QVERIFY(title->font().bold());
    }

    void links_data()
    {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("linkText");
        QTest::addColumn<QString>("opened");
        const QString pdf = QLatin1Char('"') + programFolder() + QStringLiteral("Guida.pdf\"");
        const QString mail =
            QStringLiteral("\"mailto:info@corvalla.it?subject=Software Corvalla&body=Salve, "
                           "desidererei avere le seguenti informazioni sul software in oggetto:\"");
        const QString web = QStringLiteral("https://www.corvalla.it");
        QTest::newRow("help link") << QByteArray("TfrmGuida") << "lnkWeb"
                                   << "Visualizza guida in formato PDF" << pdf;
        QTest::newRow("help icon") << QByteArray("TfrmGuida") << "imgPDF"
                                   << "Visualizza guida in formato PDF" << pdf;
        QTest::newRow("info link") << QByteArray("TfrmInfo") << "lnkWeb"
                                   << "info@corvalla.it" << mail;
        QTest::newRow("info icon") << QByteArray("TfrmInfo") << "imgEmail"
                                   << "info@corvalla.it" << mail;
        QTest::newRow("credits link") << QByteArray("TfrmSplash") << "lnkWeb" << web << web;
        QTest::newRow("credits icon") << QByteArray("TfrmSplash") << "imgWeb" << web << web;
    }
    void links()
    {
        QFETCH(QByteArray, window);
        QFETCH(QString, control);
        QFETCH(QString, linkText);
        QFETCH(QString, opened);
        std::unique_ptr<QDialog> w = makeWindow(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto *link = w->findChild<LinkLabel *>(QStringLiteral("lnkWeb"));
        QCOMPARE(link->text(), linkText);
        QVERIFY(link->font().underline());
        QCOMPARE(link->font().pointSize(), 14);

        QStringList texts;
        TMisc::setTestHook([&](const QString &s) { texts << s; });
        BoxRecorder boxes;
        QWidget *target = w->findChild<QWidget *>(control);
        QCOMPARE(link->linkColour(), LinkLabel::kRestColour);
        QTest::mousePress(target, Qt::LeftButton);
        QCOMPARE(link->linkColour(), QColor::fromRgba(0xFFFFA500));
        QVERIFY(texts.isEmpty());
        QTest::mouseRelease(target, Qt::LeftButton);
        QCOMPARE(link->linkColour(), QColor::fromRgba(0xFF00008B));
        QCOMPARE(texts, QStringList{opened});
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(w->isVisible());
    }

    void closeButtons_data()
    {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("help") << QByteArray("TfrmGuida") << " Guida all'utilizzo del software";
        QTest::newRow("info") << QByteArray("TfrmInfo") << " Informazioni su Corvalla";
        QTest::newRow("credits") << QByteArray("TfrmSplash") << " Corvalla - realizzato da Corvalla Software";
    }
    void closeButtons()
    {
        QFETCH(QByteArray, window);
        QFETCH(QString, caption);
        std::unique_ptr<QDialog> w = makeWindow(window);
        QCOMPARE(w->windowTitle(), caption);
        QVERIFY(!(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        w->show();
        QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnChiudi")), Qt::LeftButton);
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(tst_HelpWindows)
#include "tst_helpwindows.moc"
