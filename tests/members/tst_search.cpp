// Finding members in the archive: criteria matching, the list lines and their order, finding a
// text in the list, and identifying the member behind a line.
#include "MemberFixtures.h"
#include "TestSupport.h"

#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "members/MemberSearch.h"
#include "records/MemberArchive.h"
#include "reports/ListPanel.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Member;
using namespace MemberFixtures;

namespace {

QStringList criteria(const QList<QPair<const char *, QString>> &byField)
{
    QStringList texts;
    for (const auto &c : MemberSearch::kCriteria) {
        QString text;
        for (const auto &b : byField)
            if (qstrcmp(b.first, c.entryField) == 0)
                text = b.second;
        texts.append(text);
    }
    return texts;
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }
    void cleanup() { MsgBox::setTestHook(nullptr); }

    void matching_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("found");
        const QStringList all = {"Bianchi Rossi", "Grossi Anna", "Rossi Mario", "ÀNGELI LUCA", "àngeli sara"};
        auto row = [](const char *name, const QList<QPair<const char *, QString>> &c,
                      const QStringList &found) { QTest::newRow(name) << criteria(c) << found; };
        row("no criterion lists every member", {}, all);
        row("four letters inside a word", {{"txtTiratore", "ross"}},
            {"Bianchi Rossi", "Grossi Anna", "Rossi Mario"});
        row("a leading blank takes part", {{"txtTiratore", " ross"}}, {"Bianchi Rossi"});
        row("a trailing blank takes part", {{"txtTiratore", "Rossi "}}, {"Grossi Anna", "Rossi Mario"});
        row("capitals find small letters", {{"txtTiratore", "MARIO"}}, {"Rossi Mario"});
        row("small a grave is not capital A grave", {{"txtTiratore", "àngeli"}}, {"àngeli sara"});
        row("capital A grave is not folded", {{"txtTiratore", "Àngeli"}}, {"ÀNGELI LUCA"});
        row("two criteria must both match", {{"txtTiratore", "ross"}, {"txtEnte", "volo"}},
            {"Bianchi Rossi", "Rossi Mario"});
        row("matching one of two is not enough", {{"txtTiratore", "ross"}, {"txtEnte", "arco"}},
            {"Grossi Anna"});
        row("blanks only is no criterion", {{"txtNote", "   "}}, all);
        row("blanks only beside a real criterion", {{"txtTiratore", "ross"}, {"txtNote", "  "}},
            {"Bianchi Rossi", "Grossi Anna", "Rossi Mario"});
        row("blanks on both sides of a word", {{"txtEnte", " a "}}, {"Bianchi Rossi", "Rossi Mario"});
        row("a trailing blank after the last word", {{"txtEnte", " volo "}}, {});
        row("each criterion tests its own field", {{"txtCodFisc", "rssmra"}}, {"Rossi Mario"});
        row("date of birth as typed", {{"txtDataNasc", "/1980"}}, {"Rossi Mario"});
        row("a question mark finds a stored question mark", {{"txtNote", "?"}}, {"àngeli sara"});
        row("a letter outside the code page finds nothing", {{"txtNote", "Ω"}}, {});
        row("no member matches", {{"txtTiratore", "Verdi"}}, {});
    }
    void matching()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, found);
        writeArchive({
            member("Rossi Mario",
                   {{Attivita, "Tiro a volo"}, {CodFisc, "RSSMRA80A01H501U"}, {DataNasc, "01/01/1980"}}),
            member("Grossi Anna", {{Attivita, "Tiro con l'arco"}}),
            member("Bianchi Rossi", {{Attivita, "Tiro a volo"}}),
            member("ÀNGELI LUCA", {{Attivita, "Nuoto"}}),
            member("àngeli sara", {{Attivita, "Nuoto"}, {Note, "rif. ?"}}),
        });
        QStringList lines;
        QVERIFY(MemberSearch::search(MemberSearch::Criteria(texts), lines));
        QCOMPARE(namesOf(lines), found);
    }

    void resultAndCertificateLines()
    {
        const Record r =
            member("  Rossi Mario Giuseppe Alberto Francesco  ", {{Tel, "06 1234567"},
                                                                  {Cel, "333 1234567"},
                                                                  {Tessera, "A-17"},
                                                                  {FineTes, "31/12/2024"},
                                                                  {Quota, " 25,00 "},
                                                                  {CodFisc, "RSSMRA80A01H501U"},
                                                                  {Attivita, "Tiro a volo"},
                                                                  {ScadenzaCertificato, "15/06/2025"}});
        const QByteArray bytes = encode(r);
        const QString result = QStringLiteral("Rossi Mario Giuseppe Alberto F") + "  Tel. " +
                               "06 1234567      " + "  Cel. " + "333 1234567     " + "  Tessera n. " +
                               "A-17                    " + "  Scad. " + "31/12/2024" +
                               QStringLiteral("  Quota: € ") + "25,00";
        QCOMPARE(MemberSearch::buildLine(MemberSearch::LineKind::Result, bytes.constData()), result);
        const QString certificate = QStringLiteral("Rossi Mario Giuseppe Alberto Fra") + "  Cel. " +
                                    "333 1234567         " + "  C.F. " + "RSSMRA80A01H501U" +
                                    "  Sport: " + "Tiro a volo                     " +
                                    "  Scad. certificato: " + "15/06/2025";
        QCOMPARE(MemberSearch::buildLine(MemberSearch::LineKind::Certificate, bytes.constData()),
                 certificate);
        // Empty fields keep the columns.
        const QByteArray empty = encode(Record());
        QCOMPARE(MemberSearch::buildLine(MemberSearch::LineKind::Result, empty.constData()).size(), 142);
        QCOMPARE(MemberSearch::buildLine(MemberSearch::LineKind::Certificate, empty.constData()).size(), 144);
    }

    // A length byte larger than the field's width must not read into the next field.
    void oversizedLengthByteStaysInItsField()
    {
        QByteArray bytes = encode(member("Rossi", {{Sesso, "M"}, {Tel, "06"}, {Cel, "333"}}));
        const QString normal = MemberSearch::buildLine(MemberSearch::LineKind::Result, bytes.constData());
        bytes[kFields[Tel].layout.offset] = char(200);
        bytes[kFields[Tiratore].layout.offset] = char(255);
        QCOMPARE(MemberSearch::buildLine(MemberSearch::LineKind::Result, bytes.constData()), normal);
        writeFile(MemberArchive::filePath(), bytes);
        QStringList lines;
        QVERIFY(MemberSearch::search(MemberSearch::Criteria(criteria({{"txtTiratore", "rossi"}})), lines));
        QCOMPARE(lines.size(), 1);
        QVERIFY(MemberSearch::search(MemberSearch::Criteria(criteria({{"txtTiratore", "m"}})), lines));
        QCOMPARE(lines.size(), 0); // the "M" of the next field is not part of the name
    }

    void ordering()
    {
        // a-z count as A-Z; nothing else is folded; equal lines keep their archive order.
        writeArchive({member("beta"), member("Zeta"), member("alfa", {{Note, "first"}}), member("_x"),
                      member("Alfa"), member("Èrica"), member("éa"), member("Éz"),
                      member("alfa", {{Note, "second"}})});
        QStringList lines;
        QVERIFY(MemberSearch::search(MemberSearch::Criteria(), lines));
        QCOMPARE(namesOf(lines),
                 QStringList({"alfa", "Alfa", "alfa", "beta", "Zeta", "_x", "Èrica", "Éz", "éa"}));

        // Equal lines stay in archive order: the first "alfa" listed is the first in the archive.
        int chosen = 0;
        qint64 last = -1;
        QVERIFY(MemberSearch::findRecords(MemberSearch::LineKind::Result, lines[0],
                                          [&](qint64 index, const Record &) {
                                              ++chosen;
                                              last = index;
                                          }));
        QCOMPARE(chosen, 2);
        QCOMPARE(last, qint64(8));
    }

    void identifyingTheMemberOfALine_data()
    {
        QTest::addColumn<QList<Record>>("records");
        QTest::addColumn<int>("listed");           // which record's line is double-clicked
        QTest::addColumn<QList<qint64>>("chosen"); // the records handed over, in order
        QTest::newRow("one member") << QList<Record>{member("Rossi"), member("Bianchi")} << 1
                                    << QList<qint64>{1};
        QTest::newRow("identical lines hand over every one, the later last")
            << QList<Record>{member("Rossi", {{CodFisc, "AAA"}}), member("Bianchi"),
                             member("Rossi", {{CodFisc, "BBB"}})}
            << 0 << QList<qint64>{0, 2};
        const QString longName = QStringLiteral("Della Rovere Montefeltro Maria Vittoria");
        QTest::newRow("a name longer than the column")
            << QList<Record>{member("Della"), member(longName)} << 1 << QList<qint64>{1};
        QTest::newRow("case matters")
            << QList<Record>{member("ROSSI"), member("Rossi")} << 1 << QList<qint64>{1};
    }
    void identifyingTheMemberOfALine()
    {
        QFETCH(QList<Record>, records);
        QFETCH(int, listed);
        QFETCH(QList<qint64>, chosen);
        writeArchive(records);
        const QString line =
            MemberSearch::buildLine(MemberSearch::LineKind::Result, encode(records[listed]).constData());
        QList<qint64> got;
        QVERIFY(MemberSearch::findRecords(MemberSearch::LineKind::Result, line + "  ",
                                          [&](qint64 index, const Record &r) {
                                              got.append(index);
                                              QCOMPARE(r[Tiratore], records[int(index)][Tiratore]);
                                              QCOMPARE(r[CodFisc], records[int(index)][CodFisc]);
                                          }));
        QCOMPARE(got, chosen);
    }

    void incompleteLastRecordIsNotCounted()
    {
        writeArchive({member("Rossi"), member("Bianchi"), member("Verdi")}, QByteArray(1000, 'x'));
        QStringList lines;
        QVERIFY(MemberSearch::search(MemberSearch::Criteria(), lines));
        QCOMPARE(lines.size(), 3);
    }

    void missingArchiveIsCreatedEmpty()
    {
        QFile::remove(MemberArchive::filePath());
        QStringList lines{"stale"};
        QVERIFY(MemberSearch::search(MemberSearch::Criteria(), lines));
        QVERIFY(lines.isEmpty());
        QVERIFY(QFile::exists(MemberArchive::filePath()));
    }

    void findInList_data()
    {
        QTest::addColumn<QStringList>("presses"); // the find text at each press of "Trova"
        QTest::addColumn<QList<int>>("selected"); // the selected row after each press
        // Lines: 0 "Alfa ROSSI", 1 "Beta", 2 "Rossi Gamma", 3 "Delta", 4 "grossi"
        QTest::newRow("repeated text walks the matches and wraps")
            << QStringList{"ross", "ross", "ross", "ross", "ross"} << QList<int>{0, 2, 4, 0, 2};
        QTest::newRow("capitals in the find text") << QStringList{"ROSSI G", "rossi g"} << QList<int>{2, 2};
        QTest::newRow("changed text starts at the first line")
            << QStringList{"ross", "ross", "ross", "delta", "ross"} << QList<int>{0, 2, 4, 3, 0};
        QTest::newRow("no match keeps the selection")
            << QStringList{"ross", "ross", "zzz", "zzz"} << QList<int>{0, 2, 2, 2};
        QTest::newRow("no selection selects the first line, even without a match")
            << QStringList{"zzz"} << QList<int>{0};
        QTest::newRow("empty text finds nothing") << QStringList{"beta", "", ""} << QList<int>{1, 1, 1};
        QTest::newRow("a single match is found again") << QStringList{"delta", "delta"} << QList<int>{3, 3};
        QTest::newRow("blanks are part of the text") << QStringList{" rossi", "a r"} << QList<int>{0, 0};
    }
    void findInList()
    {
        QFETCH(QStringList, presses);
        QFETCH(QList<int>, selected);
        ListPanel panel(ListPanel::Texts{});
        panel.setLines({"Alfa ROSSI", "Beta", "Rossi Gamma", "Delta", "grossi"});
        auto *find = panel.findChild<QLineEdit *>("txtTrova");
        auto *button = panel.findChild<QPushButton *>("btnTrova");
        QVERIFY(find && button);
        QCOMPARE(panel.selectedRow(), -1);
        for (int i = 0; i < presses.size(); ++i) {
            find->setText(presses[i]);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(panel.selectedRow(), selected[i]);
        }
    }

    void findInListAfterTheUserPicksALine()
    {
        ListPanel panel(ListPanel::Texts{});
        panel.setLines({"Alfa ROSSI", "Beta", "Rossi Gamma", "Delta", "grossi"});
        panel.findField()->setText("ross");
        panel.findInList();
        QCOMPARE(panel.selectedRow(), 0);
        panel.selectRow(3); // the user clicks "Delta"
        panel.findInList(); // same text: goes on after the selected line
        QCOMPARE(panel.selectedRow(), 4);
        panel.findField()->setText("beta");
        panel.selectRow(3);
        panel.findInList(); // new text: from the first line
        QCOMPARE(panel.selectedRow(), 1);
    }

    void findInAnEmptyList()
    {
        BoxRecorder recorder;
        const auto &boxes = recorder.boxes;
        ListPanel panel(ListPanel::Texts{});
        panel.findField()->setText("rossi");
        QTest::mouseClick(panel.findChild<QPushButton *>("btnTrova"), Qt::LeftButton);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].first, MsgBox::Kind::Plain);
        QCOMPARE(boxes[0].second,
                 QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
