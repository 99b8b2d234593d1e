#include "TestSupport.h"

#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"
#include "common/RecordTable.h"
#include "members/TfrmExpTiratori.h"
#include "records/MemberArchive.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace Member;

namespace {

// The text of a cell of the export grid, as the grid shows it.
QString cellText(const QTableView *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

Record member(std::initializer_list<std::pair<Field, const char *>> values)
{
    Record r;
    for (const auto &v : values)
        r[v.first] = QString::fromUtf8(v.second);
    return r;
}

// The archive whose export is tests/common/data/Archivio_Iscritti_3.xls.
QList<Record> threeMembers()
{
    return {
        member({{Tiratore, "Rossi Mario"},
                {Sesso, "M"},
                {DataNasc, "12/04/1970"},
                {Cittadinanza, "Italiana"},
                {LuogoNasc, "Forlì"},
                {Indirizzo, "Via dell'Unità d'Italia, 12"},
                {Citta, "Cesena"},
                {Cap, "47521"},
                {Nazione, "Italia"},
                {CodFisc, "RSSMRA70D12D704X"},
                {Gruppo, "0 Rh+"},
                {Professione, "Ingegnere"},
                {ScadenzaCertificato, "31/12/2025"},
                {Attivita, "Tiro a segno"},
                {Email, "mario.rossi@example.it"},
                {Tel, "0547 123456"},
                {Cel, "333 1234567"},
                {Tessera, "A-001"},
                {Quota, "50,00"},
                {InizioTes, "01/01/2025"},
                {FineTes, "31/12/2025"},
                {Praticante, "Rossi Mario"},
                {LuogoNascPraticante, "Forlì"},
                {DataNascPraticante, "12/04/1970"},
                {IndirizzoPraticante, "Via dell'Unità d'Italia, 12"},
                {Note, "Quota < 60 € & saldo"},
                {File01, "certificato.pdf"},
                {Desc01, "Certificato medico"}}),
        member({{Tiratore, "Bianchi Luca"},
                {ScadenzaCertificato, "30/06/2026"},
                {Attivita,
                 "Tiro a volo, fossa olimpica e double trap; corsi per principianti il sabato presso il "
                 "campo comunale di Bagno di Romagna"},
                {Tessera, "A-002"},
                {Quota, "0,00"},
                {InizioTes, "01/02/2025"},
                {FineTes, "31/01/2026"}}),
        member({{Tiratore, "Verdi Anna"},
                {Citta, "Città di Castello"},
                {ScadenzaCertificato, "15/09/2025"},
                {Attivita, "Tiro con l'arco"},
                {Tessera, "A-003"},
                {Quota, "120,50"},
                {InizioTes, "03/03/2025"},
                {FineTes, "02/03/2026"},
                {Praticante, "Verdi Giulia"},
                {LuogoNascPraticante, "Perugia"},
                {DataNascPraticante, "07/07/2012"},
                {Note, "Minore: firma il genitore"}}),
    };
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<MsgBox::Answer> m_answers;
    QStringList m_boxes;
    QStringList m_opened;

    QString exportPath() const { return programFolder() + QStringLiteral("Archivio_Iscritti.xls"); }

    void writeArchive(const QList<Record> &records)
    {
        QFile::remove(MemberArchive::filePath());
        for (const Record &r : records)
            QVERIFY(MemberArchive::append(r) >= 0);
    }

    // Clicks Esporta answering Yes to the question and No to opening the file.
    void exportFrom(TfrmExpTiratori &window)
    {
        m_answers = {MsgBox::Answer::Yes, MsgBox::Answer::No};
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
        QCOMPARE(m_boxes.size(), 2);
        QVERIFY(m_boxes[1].startsWith(QStringLiteral("Le schede in archivio sono state esportate")));
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        MsgBox::setTestHook([this](MsgBox::Kind, const QString &text) {
            m_boxes << text;
            return m_answers.isEmpty() ? MsgBox::Answer::No : m_answers.takeFirst();
        });
        TMisc::setTestHook([this](const QString &s) { m_opened << s; });
    }
    void init()
    {
        m_answers.clear();
        m_boxes.clear();
        m_opened.clear();
        QFile::remove(exportPath());
    }

    void gridShowsArchiveInOrder()
    {
        writeArchive(threeMembers());
        TfrmExpTiratori window;
        window.show();
        auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
        QVERIFY(grid);
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->columnCount(), 26);
        QCOMPARE(grid->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Città"));
        QCOMPARE(grid->columnWidth(25), 350);
        QCOMPARE(grid->rowHeight(0), 21);
        QVERIFY(grid->alternatingRowColors());
        const QStringList numbers = {cellText(grid, 0, 0), cellText(grid, 1, 0), cellText(grid, 2, 0)};
        QCOMPARE(numbers, (QStringList{"1", "2", "3"}));
        QCOMPARE(cellText(grid, 0, 1), QStringLiteral("Rossi Mario"));
        QCOMPARE(cellText(grid, 2, 22), QStringLiteral("Perugia"));
        QCOMPARE(cellText(grid, 1, 13).size(), 120);
    }

    void exportMatchesExpectedFile()
    {
        writeArchive(threeMembers());
        TfrmExpTiratori window;
        window.show();
        exportFrom(window);
        const QByteArray written = readAll(exportPath());
        QCOMPARE(written, readAll(QFINDTESTDATA("../common/data/Archivio_Iscritti_3.xls")));
        QVERIFY(!written.contains('\r') && !written.contains('\n'));
        QVERIFY(m_opened.isEmpty());
    }

    void emptyArchiveExportsHeaderOnly()
    {
        writeArchive({});
        TfrmExpTiratori window;
        window.show();
        QCOMPARE(window.findChild<QTableView *>(QStringLiteral("grdRecords"))->model()->rowCount(), 10);
        exportFrom(window);
        const QByteArray written = readAll(exportPath());
        QCOMPARE(written.count("<tr>"), 1);
        QVERIFY(written.endsWith("width=400>Note</td></tr></table></body></html>"));
    }

    void editedCellIsExportedButNotStored()
    {
        writeArchive(threeMembers());
        {
            TfrmExpTiratori window;
            window.show();
            auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
            grid->model()->setData(grid->model()->index(2, 25), QStringLiteral("  Nota cambiata a video  "));
            exportFrom(window);
        }
        QVERIFY(readAll(exportPath()).contains(">Nota cambiata a video</td></tr></table>"));
        TfrmExpTiratori again;
        again.show();
        QCOMPARE(cellText(again.findChild<QTableView *>(QStringLiteral("grdRecords")), 2, 25),
                 QStringLiteral("Minore: firma il genitore"));
    }

    // A very large archive is read on a thread of its own: the export waits for the whole grid,
    // which then holds every record; a window closed while it reads stops the reading.
    void readingOnItsOwnThread()
    {
        writeArchive(threeMembers());
        {
            TfrmExpTiratori window;
            window.fillGridInBackground();
            auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
            QTRY_VERIFY(!window.isFilling());
            QCOMPARE(grid->model()->rowCount(), 3);
            QCOMPARE(cellText(grid, 2, 22), QStringLiteral("Perugia"));
            exportFrom(window);
            QCOMPARE(readAll(exportPath()), readAll(QFINDTESTDATA("../common/data/Archivio_Iscritti_3.xls")));
        }
        TfrmExpTiratori closing;
        closing.fillGridInBackground();
        // Destroyed at once: the reading is stopped and waited for.
    }

    // Reading the records: whole records only (a tail cut short is not one), and a reading
    // cancelled before it starts keeps nothing.
    void readingTheRecords()
    {
        writeArchive(threeMembers());
        {
            QFile f(MemberArchive::filePath());
            QVERIFY(f.open(QIODevice::Append));
            f.write(QByteArray(100, 'x'));
        }
        RecordBlock records;
        ReadProgress progress;
        QVERIFY(readRecords(MemberArchive::archive(), records, &progress));
        QCOMPARE(records.size(), 3 * Member::layout().recordSize());
        QCOMPARE(progress.total.load(), 3);
        QCOMPARE(progress.done.load(), 3);
        ReadProgress cancelled;
        cancelled.cancelled = true;
        QVERIFY(readRecords(MemberArchive::archive(), records, &cancelled));
        QVERIFY(records.isEmpty());
    }

    // The archive cut short behind the grid (another program, or a disk that fails to give a
    // page): the grid's mapped records cannot all be read. The window goes on, showing those cells
    // empty, and the export fails with the read error, keeping the file exported before.
    void archiveCutShortBehindTheGrid()
    {
        QList<Record> many;
        for (int i = 0; i < 40; ++i) // several pages of the file
            many << member({{Tiratore, "Rossi Mario"}, {Note, "Socio"}});
        writeArchive(many);
        writeFile(exportPath(), "esportato prima");
        TfrmExpTiratori window;
        window.show();
        auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
        QCOMPARE(cellText(grid, 39, 25), QStringLiteral("Socio"));
        QVERIFY(QFile::resize(MemberArchive::filePath(), 0));

        QCOMPARE(cellText(grid, 39, 25), QString());
        QCOMPARE(cellText(grid, 39, 0), QStringLiteral("40"));
        m_answers = {MsgBox::Answer::Yes};
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
        QCOMPARE(m_boxes.size(), 2);
        QCOMPARE(m_boxes[1], QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                            "Errore del sistema: Errore di lettura o scrittura sul disco."));
        QCOMPARE(readAll(exportPath()), QByteArray("esportato prima"));
        QVERIFY(window.isVisible());
    }

    void typingChangesOnlyEditableColumns_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("editable");
        // A filled row and one of the starting empty rows (which have no cells yet).
        QTest::newRow("name, filled row") << 1 << 0 << false;
        QTest::newRow("row number") << 0 << 0 << false;
        QTest::newRow("tax code") << 9 << 0 << false;
        QTest::newRow("activity") << 13 << 0 << false;
        QTest::newRow("place of birth") << 4 << 0 << true;
        QTest::newRow("note") << 25 << 0 << true;
        QTest::newRow("name, empty row") << 1 << 5 << false;
        QTest::newRow("note, empty row") << 25 << 5 << true;
    }
    void typingChangesOnlyEditableColumns()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(bool, editable);
        writeArchive(row == 0 ? threeMembers() : QList<Record>{});
        TfrmExpTiratori window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
        const QString before = cellText(grid, row, column);
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, column));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Z"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor is committed and closed from the event loop
        const QString after = cellText(grid, row, column);
        QCOMPARE(after != before, editable);
    }

    void infoBarHints_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hint");
        QTest::newRow("esporta") << "cmdEsporta"
                                 << "Esporta l'archivio in formato Microsoft Excel.";
        QTest::newRow("guida") << "cmdGuida"
                               << "Visualizza la pagina della guida sensibile al contesto.";
        QTest::newRow("esci") << "cmdEsci"
                              << "Esci da questo ambiente di lavoro.";
    }
    void infoBarHints()
    {
        QFETCH(QString, button);
        QFETCH(QString, hint);
        writeArchive({});
        TfrmExpTiratori window;
        window.resize(700, 500); // within the test screen, where the pointer can go
        window.show();
        auto *bar = window.findChild<QLabel *>(QStringLiteral("panInfo"));
        QCOMPARE(bar->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        QTest::mouseMove(window.findChild<QWidget *>(button));
        QCOMPARE(bar->text(), hint);
        QTest::mouseMove(window.findChild<QTableView *>(QStringLiteral("grdRecords"))->viewport(),
                         QPoint(5, 5));
        QCOMPARE(bar->text(), QString());
    }

    void infoBarIsWhiteOnBlue()
    {
        writeArchive({});
        TfrmExpTiratori window;
        window.show();
        auto *bar = window.findChild<QLabel *>(QStringLiteral("panInfo"));
        bar->setText(QStringLiteral("WWWWWWWWWW"));
        const QImage image = bar->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() - 2, 2), Conventions::kInfoBarColour);
        bool whiteText = false;
        for (int x = 0; x < image.width() / 2 && !whiteText; ++x)
            for (int y = 0; y < image.height() && !whiteText; ++y)
                whiteText = qMin(qMin(image.pixelColor(x, y).red(), image.pixelColor(x, y).green()),
                                 image.pixelColor(x, y).blue()) > 230; // the text, anti-aliased
        QVERIFY(whiteText);
    }

    void esciCloses()
    {
        writeArchive({});
        TfrmExpTiratori window;
        window.show();
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("cmdEsci")), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
