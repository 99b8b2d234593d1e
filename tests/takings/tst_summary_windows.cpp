// The summary period window and the summary list driven through their widgets: the checks in order
// with their boxes and focus, the list fields that take values only from their lists, and the
// summary the list window shows for a small year file, or the reason it cannot show one.
#include "SummaryFixtures.h"
#include "TestSupport.h"

#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/WindowRegistry.h"
#include "common/ProgramFolder.h"
#include "common/TfrmGuida.h"
#include "records/YearFile.h"
#include "reports/Report.h"
#include "takings/TfrmMenuRiepCosti.h"
#include "takings/TfrmRiepCosti.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using SummaryFixtures::receipt;

namespace {

template <typename T> T *child(QWidget *w, const QString &name)
{
    T *c = w->findChild<T *>(name);
    if (!c)
        qWarning("no %s", qPrintable(name));
    return c;
}

// The lines the list shows, as the list view has them.
QStringList listedLines(QWidget *window)
{
    QStringList lines;
    const QAbstractItemModel *model = child<QListView>(window, QStringLiteral("lstRecords"))->model();
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

int selectedRow(QWidget *window)
{
    const QModelIndexList rows =
        child<QListView>(window, QStringLiteral("lstRecords"))->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

const QString kAdviceDate =
    QString::fromUtf8("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");

// What the list window showed while it was open.
struct Shown
{
    bool opened = false;
    QStringList lines;
    QString payer, interval, total;
    bool busyTextOn = false;
};

} // namespace

class TestSummaryWindows : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<TfrmMenuRiepCosti> m_window;
    std::unique_ptr<BoxRecorder> m_boxes;

    QComboBox *list(const char *name) { return child<QComboBox>(m_window.get(), QLatin1String(name)); }
    QLineEdit *edit(const char *name) { return child<QLineEdit>(m_window.get(), QLatin1String(name)); }
    QLabel *label(const char *name) { return child<QLabel>(m_window.get(), QLatin1String(name)); }

    // Picks a line of a list field as the user does: from its list (an empty text leaves it empty).
    void choose(const char *name, const QString &line)
    {
        QComboBox *c = list(name);
        if (line.isEmpty())
            return;
        const int i = c->findText(line);
        QVERIFY2(i >= 0, qPrintable(line));
        c->setCurrentIndex(i);
    }

    void setPeriod(const QString &year, const QString &startDay, const QString &startMonth,
                   const QString &endDay, const QString &endMonth)
    {
        QLineEdit *anno = edit("txtAnno");
        anno->clear();
        QTest::keyClicks(anno, year);
        choose("txtGiornoInizio", startDay);
        choose("txtMeseInizio", startMonth);
        choose("txtGiornoFine", endDay);
        choose("txtMeseFine", endMonth);
    }

    // Clicks "Visualizza riepilogo" with the mouse; when the list window opens, reads it and closes it.
    Shown visualizza()
    {
        Shown shown;
        QTimer poll; // lives only as long as the click: a list that never opens leaves nothing behind
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&shown, &poll, this] {
            auto *w = qobject_cast<TfrmRiepCosti *>(QApplication::activeModalWidget());
            if (!w || !w->isVisible())
                return;
            poll.stop();
            shown.opened = true;
            // Any message the window gives on showing comes first.
            QTest::qWait(50);
            shown.lines = listedLines(w);
            shown.payer = child<QLabel>(w, QStringLiteral("titTipologia"))->text();
            shown.interval = child<QLabel>(w, QStringLiteral("lblIntervallo"))->text();
            shown.total = child<QLabel>(w, QStringLiteral("lblTotCosti"))->text();
            shown.busyTextOn = label("lblAttendere")->isVisible();
            child<QPushButton>(w, QStringLiteral("btnEsci"))->click();
        });
        poll.start();
        QTest::mouseClick(child<QPushButton>(m_window.get(), QStringLiteral("btnVisualizza")),
                          Qt::LeftButton);
        return shown;
    }

    // A summary window of its own over `receipts` for March 2024, shown.
    std::unique_ptr<TfrmRiepCosti> summaryWindow(const QList<Receipt::Record> &receipts)
    {
        const QString path = YearFile::pathFor(QStringLiteral("2024"));
        SummaryFixtures::storeReceipts(path, receipts);
        auto w = std::make_unique<TfrmRiepCosti>(m_window.get());
        w->setRequest({path, {QString(), QString(), QDate(2024, 3, 1), QDate(2024, 3, 31)}, {}});
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            qWarning("the summary window did not show");
        return w;
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }

    void init()
    {
        m_boxes = std::make_unique<BoxRecorder>();
        m_window = std::make_unique<TfrmMenuRiepCosti>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QApplication::setActiveWindow(m_window.get());
    }

    void cleanup()
    {
        m_window.reset();
        m_boxes.reset();
        Windows::clear();
        for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(QDir(m_dir.path()).filePath(f));
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QStringList>("period"); // year, start day, start month, end day, end month
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<QString>("focus");
        const QString lists = QStringLiteral(" selezionandolo dall'elenco a cascata.");
        QTest::newRow("three-digit year")
            << QStringList{"202", "01", "Marzo", "31", "Marzo"}
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << false << "txtAnno";
        QTest::newRow("letters are not typed in the year")
            << QStringList{"2a0b2", "", "", "", ""}
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << false << "txtAnno";
        QTest::newRow("start day") << QStringList{"2024", "", "Marzo", "31", "Marzo"}
                                   << "Attenzione: indicare il giorno di inizio intervallo" + lists << false
                                   << "txtGiornoInizio";
        QTest::newRow("start month") << QStringList{"2024", "01", "", "", ""}
                                     << "Attenzione: indicare il mese di inizio intervallo" + lists << false
                                     << "txtMeseInizio";
        QTest::newRow("end day") << QStringList{"2024", "01", "Marzo", "", "Marzo"}
                                 << "Attenzione: indicare il giorno di fine intervallo" + lists << false
                                 << "txtGiornoFine";
        QTest::newRow("end month") << QStringList{"2024", "01", "Marzo", "31", ""}
                                   << "Attenzione: indicare il mese di fine intervallo" + lists << false
                                   << "txtMeseFine";
        QTest::newRow("29 February 2023")
            << QStringList{"2023", "29", "Febbraio", "31", "Aprile"}
            << "Attenzione: la data 29/02/2023 di inizio intervallo non esiste." + kAdviceDate << true
            << "txtGiornoInizio";
        QTest::newRow("31 April") << QStringList{"2024", "01", "Aprile", "31", "Aprile"}
                                  << "Attenzione: la data 31/04/2024 di fine intervallo non esiste." +
                                         kAdviceDate
                                  << true << "txtGiornoFine";
        QTest::newRow("end before start")
            << QStringList{"2024", "01", "Dicembre", "01", "Gennaio"}
            << QString::fromUtf8(
                   "Attenzione: la data di fine intervallo (01/01/2024) non può essere anteriore a "
                   "quella di inizio intervallo (01/12/2024).\n\r\n\rPer poter visualizzare il "
                   "riepilogo è necessario indicare un intervallo di tempo valido.")
            << true << "btnVisualizza";
    }

    void checksInOrder()
    {
        QFETCH(QStringList, period);
        QFETCH(QString, message);
        QFETCH(bool, plain);
        QFETCH(QString, focus);
        setPeriod(period[0], period[1], period[2], period[3], period[4]);
        const Shown shown = visualizza();
        QVERIFY(!shown.opened);
        QCOMPARE(m_boxes->texts(), QStringList{message});
        QCOMPARE(m_boxes->boxes.first().first, plain ? MsgBox::Kind::Plain : MsgBox::Kind::Warning);
        QVERIFY(m_window->focusWidget());
        QCOMPARE(m_window->focusWidget()->objectName(), focus);
        QVERIFY(!label("lblAttendere")->isVisible());
        QVERIFY(label("lblFile")->text().isEmpty());
        QVERIFY(!QFileInfo::exists(YearFile::pathFor(period[0])));
    }

    // Day and month take their values only from their lists: typing chooses the line it begins,
    // and what begins no line is not typed.
    void listFieldsTakeOnlyTheirLines()
    {
        QComboBox *day = list("txtGiornoInizio");
        QComboBox *month = list("txtMeseInizio");
        day->setFocus();
        QTest::keyClicks(day, QStringLiteral("x!"));
        QCOMPARE(day->currentText(), QString());
        QTest::keyClicks(day, QStringLiteral("12"));
        QCOMPARE(day->currentText(), QStringLiteral("12"));
        choose("txtGiornoInizio", QStringLiteral("12"));
        QTest::keyClick(day, Qt::Key_Left);
        QTest::keyClick(day, Qt::Key_Backspace);
        QCOMPARE(day->currentText(), QString());
        choose("txtGiornoInizio", QStringLiteral("07"));
        QTest::keyClick(day, Qt::Key_Return);
        QCOMPARE(m_window->focusWidget(), month);

        // A text that is not a line of the list (pasted, say) is dropped when the field is left.
        month->setEditText(QStringLiteral("Marz"));
        QTest::keyClick(month, Qt::Key_Tab);
        QCOMPARE(month->currentText(), QString());
        month->setFocus();
        month->setEditText(QStringLiteral(" MARZO"));
        QTest::keyClick(month, Qt::Key_Tab);
        QCOMPARE(month->currentText(), QStringLiteral(" MARZO"));
        QCOMPARE(day->currentText(), QStringLiteral("07"));
    }

    void enterMovesAlongTheChain()
    {
        edit("txtAnno")->setFocus();
        QStringList visited{m_window->focusWidget()->objectName()};
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(m_window->focusWidget(), Qt::Key_Return);
            visited << m_window->focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"txtAnno", "txtEsecutore", "txtCCP", "txtGiornoInizio",
                                       "txtMeseInizio", "txtGiornoFine", "txtMeseFine", "btnVisualizza"}));
        // Enter on the button asks for the summary: here the start day is missing.
        QTest::keyClick(m_window->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_boxes->texts(),
                 QStringList{"Attenzione: indicare il giorno di inizio intervallo selezionandolo "
                             "dall'elenco a cascata."});
    }

    // Every showing starts afresh: empty filters and lists, the current year in the field and in
    // both interval groups, the focus on the payer; closing shows the main menu again.
    void showingResetsAndClosingReturnsToTheMenu()
    {
        edit("txtEsecutore")->setText(QStringLiteral("Rossi"));
        edit("txtCCP")->setText(QStringLiteral("Nuoto"));
        setPeriod(QStringLiteral("1999"), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
                  QStringLiteral("Marzo"));
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("1999"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("1999"));

        TfrmAvvio menu;
        Windows::add(&menu);
        Windows::add(m_window.get());
        Corvalla::connectWindowSet();
        QTest::mouseClick(child<QPushButton>(m_window.get(), QStringLiteral("btnEsci")), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(menu.isVisible());

        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(edit("txtAnno")->text(), year);
        QCOMPARE(label("lblAnnoInizio")->text(), year);
        QCOMPARE(label("lblAnnoFine")->text(), year);
        QVERIFY(edit("txtEsecutore")->text().isEmpty());
        QVERIFY(edit("txtCCP")->text().isEmpty());
        for (const char *name : {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine"}) {
            QVERIFY(list(name)->currentText().isEmpty());
            QCOMPARE(list(name)->currentIndex(), -1);
        }
        QCOMPARE(m_window->focusWidget(), edit("txtEsecutore"));
        Windows::clear();
    }

    void summaryOfASmallYearFile_data()
    {
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QString>("activity");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("shownPayer");
        QTest::addColumn<QString>("total");
        QTest::newRow("no filter") << ""
                                   << "" << 3 << "- - -"
                                   << "35,75";
        QTest::newRow("payer of blanks") << "   "
                                         << "" << 3 << "- - -"
                                         << "35,75";
        QTest::newRow("payer") << " rossi"
                               << "" << 1 << "rossi"
                               << "10,50";
        QTest::newRow("payer and activity") << "i"
                                            << "TENNIS" << 1 << "i"
                                            << "20,25";
    }

    // 10,50 + 20,25 + 5 in March; one receipt a day outside and one without an amount.
    void summaryOfASmallYearFile()
    {
        QFETCH(QString, payer);
        QFETCH(QString, activity);
        QFETCH(int, lines);
        QFETCH(QString, shownPayer);
        QFETCH(QString, total);
        SummaryFixtures::storeReceipts(YearFile::pathFor(QStringLiteral("2024")),
                                       {receipt("1", "29/02/2024", "Rossi Mario", "Nuoto", "99,00"),
                                        receipt("2", "01/03/2024", "Mario Rossi", "Nuoto", "10,50"),
                                        receipt("3", "15/03/2024", "Bianchi Anna", "Tennis", "20,25"),
                                        receipt("4", "20/03/2024", "Verdi Carlo", "Nuoto", ""),
                                        receipt("5", "31/03/2024", "Neri Ugo", "Nuoto libero", "5")});
        edit("txtEsecutore")->setText(payer);
        edit("txtCCP")->setText(activity);
        setPeriod(QStringLiteral("2024"), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
                  QStringLiteral("Marzo"));
        const Shown shown = visualizza();
        QVERIFY(shown.opened);
        QVERIFY(m_boxes->boxes.isEmpty());
        QCOMPARE(shown.lines.size(), lines);
        for (const QString &line : shown.lines)
            QVERIFY2(line.startsWith(QStringLiteral("Ric. n. ")) && line.contains(QStringLiteral("/03/2024")),
                     qPrintable(line));
        QCOMPARE(shown.payer, shownPayer);
        QCOMPARE(shown.interval, QStringLiteral("Dal   01/03/2024   al   31/03/2024"));
        QCOMPARE(shown.total, total);
        QVERIFY(shown.busyTextOn);
        QVERIFY(!label("lblAttendere")->isVisible());
        QCOMPARE(label("lblDataInizio")->text(), QStringLiteral("01/03/2024"));
        QCOMPARE(label("lblDataFine")->text(), QStringLiteral("31/03/2024"));
        QCOMPARE(label("lblFile")->text(), QDir(m_dir.path()).filePath(QStringLiteral("2024.ric")));
    }

    void yearWithoutAYearFile()
    {
        setPeriod(QStringLiteral("2019"), QStringLiteral("15"), QStringLiteral("Marzo"), QStringLiteral("15"),
                  QStringLiteral("Marzo"));
        const Shown shown = visualizza();
        QVERIFY(shown.opened);
        QVERIFY(m_boxes->boxes.isEmpty());
        QVERIFY(shown.lines.isEmpty());
        QCOMPARE(shown.total, QStringLiteral("0,00"));
        QCOMPARE(shown.interval, QStringLiteral("Dal   15/03/2019   al   15/03/2019"));
        QVERIFY(QFileInfo(YearFile::pathFor(QStringLiteral("2019"))).isFile());
    }

    // A receipt of the interval whose amount cannot be read: the message names it, and the window
    // shows neither lines nor a total.
    void failedSummaryShowsNoTotal()
    {
        SummaryFixtures::storeReceipts(YearFile::pathFor(QStringLiteral("2024")),
                                       {receipt("1", "05/03/2024", "Rossi Mario", "Nuoto", "10,50"),
                                        receipt("2/B", "06/03/2024", "Verdi Carlo", "Nuoto", "dieci")});
        setPeriod(QStringLiteral("2024"), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
                  QStringLiteral("Marzo"));
        const Shown shown = visualizza();
        QVERIFY(shown.opened);
        QCOMPARE(m_boxes->texts(), QStringList{QString::fromUtf8(
                                       "Attenzione: la ricevuta n. 2/B (posizione 2 dell'archivio) ha un "
                                       "importo non valido: \"dieci\".\n\r\n\rIl riepilogo non è stato "
                                       "calcolato.")});
        QCOMPARE(m_boxes->boxes.first().first, MsgBox::Kind::Error);
        QVERIFY(shown.lines.isEmpty());
        QCOMPARE(shown.total, QString());
        QCOMPARE(shown.interval, QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"));
    }

    // A very large year file is summed on a thread of its own: the window shows at once and keeps
    // answering, and the lines and total come once the whole file has been read.
    void hugeYearFileIsSummedOnItsOwnThread()
    {
        const QString path = YearFile::pathFor(QStringLiteral("2024"));
        writeHugeFile(path, Receipt::kRecordSize,
                      Receipt::encode(receipt("9", "09/03/2024", "Rossi Mario", "Nuoto", "12,50")));
        TfrmRiepCosti w(m_window.get());
        w.setRequest({path, {QString(), QString(), QDate(2024, 3, 1), QDate(2024, 3, 31)}, {}});
        w.show();
        auto *total = child<QLabel>(&w, QStringLiteral("lblTotCosti"));
        QCOMPARE(total->text(), QStringLiteral("0,00")); // not read yet
        QTRY_COMPARE_WITH_TIMEOUT(total->text(), QStringLiteral("12,50"), 120000);
        QCOMPARE(listedLines(&w).size(), 1);
        QVERIFY(m_boxes->boxes.isEmpty());
    }

    // Find in list: each line with the text in turn, wrapping to the top; a new text starts from
    // the top again. The last find text outlives the window: the next summary goes on after the
    // first line.
    void findInListAcrossSummaries()
    {
        const QList<Receipt::Record> receipts = {receipt("1", "05/03/2024", "Rossi Mario", "Nuoto", "10,50"),
                                                 receipt("2", "06/03/2024", "Verdi Carlo", "Tennis", "20,25"),
                                                 receipt("3", "07/03/2024", "Neri Ugo", "Nuoto libero", "5"),
                                                 receipt("4", "08/03/2024", "Gialli Eva", "Tennis", "7")};
        auto find = [](QWidget *w, const QString &text) {
            child<QLineEdit>(w, QStringLiteral("txtTrova"))->setText(text);
            QTest::mouseClick(child<QPushButton>(w, QStringLiteral("btnTrova")), Qt::LeftButton);
            return selectedRow(w);
        };
        {
            std::unique_ptr<TfrmRiepCosti> first = summaryWindow(receipts);
            QCOMPARE(find(first.get(), QStringLiteral("nuoto")), 0);
            QCOMPARE(find(first.get(), QStringLiteral("NUOTO")), 2);
            QCOMPARE(find(first.get(), QStringLiteral("nuoto")), 0);
            QCOMPARE(find(first.get(), QStringLiteral("zzz")), 0);
            QCOMPARE(find(first.get(), QStringLiteral("tennis")), 1);
            QCOMPARE(find(first.get(), QStringLiteral("nuoto")), 0);
        }
        std::unique_ptr<TfrmRiepCosti> second = summaryWindow(receipts);
        QCOMPARE(find(second.get(), QStringLiteral("nuoto")), 2);
        QVERIFY(m_boxes->boxes.isEmpty());

        std::unique_ptr<TfrmRiepCosti> empty = summaryWindow({});
        QCOMPARE(find(empty.get(), QStringLiteral("nuoto")), -1);
        QCOMPARE(m_boxes->texts(),
                 QStringList{"Ricerca non applicabile: la lista non contiene nessuna voce."});
        QCOMPARE(m_boxes->boxes.first().first, MsgBox::Kind::Plain);
    }

    void printing_data()
    {
        QTest::addColumn<bool>("receipts");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("printed");
        const QString question = QStringLiteral("Si vuole stampare il presente riepilogo?");
        QTest::newRow("empty summary")
            << false << true
            << "Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce." << false;
        QTest::newRow("answer No") << true << false << question << false;
        QTest::newRow("answer Yes") << true << true << question << true;
    }

    // What goes to the printer: the lines, the interval and the total under the title, with the
    // moment of printing in the footer; only after the question, and never for an empty summary.
    void printing()
    {
        QFETCH(bool, receipts);
        QFETCH(bool, yes);
        QFETCH(QString, box);
        QFETCH(bool, printed);
        m_boxes.reset();
        QList<QPair<MsgBox::Kind, QString>> boxes;
        MsgBox::setTestHook([&](MsgBox::Kind kind, const QString &text) {
            boxes.append({kind, text});
            return kind == MsgBox::Kind::Confirmation ? (yes ? MsgBox::Answer::Yes : MsgBox::Answer::No)
                                                      : MsgBox::Answer::Ok;
        });
        QList<Reports::PreparedReport> reports;
        Reports::setOutputHook([&](const Reports::PreparedReport &report, Reports::Destination d, QString *) {
            reports.append(report);
            return d == Reports::Destination::Printer;
        });
        std::unique_ptr<TfrmRiepCosti> w;
        if (receipts)
            w = summaryWindow({receipt("1", "01/03/2024", "Mario Rossi", "Nuoto", "10,50"),
                               receipt("2", "15/03/2024", "Bianchi Anna", "Tennis", "20,25"),
                               receipt("3", "31/03/2024", "Neri Ugo", "Nuoto libero", "5")});
        else
            w = summaryWindow({receipt("1", "01/04/2024", "Mario Rossi", "Nuoto", "10,50")});
        const QStringList lines = listedLines(w.get());
        QTest::mouseClick(child<QPushButton>(w.get(), QStringLiteral("btnStampa")), Qt::LeftButton);
        Reports::setOutputHook(nullptr);
        MsgBox::setTestHook(nullptr);

        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().second, box);
        QCOMPARE(boxes.first().first, receipts ? MsgBox::Kind::Confirmation : MsgBox::Kind::Warning);
        QCOMPARE(reports.size(), printed ? 1 : 0);
        if (!printed)
            return;
        const Reports::PreparedReport &report = reports.first();
        QCOMPARE(report.documentName, QStringLiteral("Riepilogo incassi"));
        QCOMPARE(report.find(0, QStringLiteral("txtTitolo"))->lines.value(0).text,
                 QStringLiteral("Riepilogo incassi"));
        QStringList text;
        for (const Reports::PlacedLine &l : report.find(0, QStringLiteral("txtRiepilogo"))->lines)
            text << l.text;
        QCOMPARE(lines.size(), 3);
        const QStringList trailer = {
            QStringLiteral("- - - - - - - - - - - - - - - -"),
            QStringLiteral("INTERVALLO SELEZIONATO:    Dal   01/03/2024   al   31/03/2024"),
            QString::fromUtf8("TOTALE IMPORTI INCASSATI:  € 35,75")};
        QCOMPARE(text, lines + trailer);
        const QString footer = report.find(0, QStringLiteral("txtPagina"))->lines.value(0).text;
        QVERIFY2(QRegularExpression(QStringLiteral("^Stampa eseguita in data \\d\\d/\\d\\d/\\d{4} alle ore "
                                                   "\\d\\d:\\d\\d:\\d\\d$"))
                     .match(footer)
                     .hasMatch(),
                 qPrintable(footer));
    }

    // The help button opens the summary's own topic, with its text.
    void helpOpensTheSummaryTopic()
    {
        std::unique_ptr<TfrmRiepCosti> w = summaryWindow({});
        QString title, text;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *help = qobject_cast<TfrmGuida *>(QApplication::activeModalWidget());
            if (!help || !help->isVisible())
                return;
            poll.stop();
            title = child<QLabel>(help, QStringLiteral("lblTitolo"))->text();
            text = child<QPlainTextEdit>(help, QStringLiteral("txtGuida"))->toPlainText();
            help->close();
        });
        poll.start();
        QTest::mouseClick(child<QWidget>(w.get(), QStringLiteral("imgGuida")), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("App Riepilogo Incassi"));
        QVERIFY(text.contains(QStringLiteral("Riepilogo Incassi")));
    }
};

QTEST_MAIN(TestSummaryWindows)
#include "tst_summary_windows.moc"
