// The result lists' rows as the list keeps them (the shown fields' stored bytes, lines built when
// asked, ordered without building them) against building every line and sorting the lines: the
// same lines, the same records and the same order.
#include "TestSupport.h"

#include "common/ListLines.h"
#include "common/RecordLayout.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

constexpr FieldSpec kFields[] = {
    {"txtNome", 0, 20},
    {"txtCodice", 21, 5},
    {"txtImporto", 27, 8},
};
constexpr int kSize = 36;
static_assert(isRecordLayout(kFields, kSize), "the fields fill the record");
constexpr RecordLayout kLayout(kFields);

// A name cut to 14 characters, then a code of any length (so the pieces after it move), then an
// amount as it is.
const std::vector<LinePiece> kPieces = {
    {0, 14, nullptr}, {-1, 0, " · "}, {1, 0, nullptr}, {-1, 0, "|"}, {2, 0, nullptr},
};

// A record of raw Windows-1252 field texts (the length byte says how many bytes count).
QByteArray record(const QByteArray &name, const QByteArray &code = "c", const QByteArray &amount = "1")
{
    QByteArray bytes(kSize, '\0');
    const QByteArray texts[] = {name, code, amount};
    for (int i = 0; i < 3; ++i) {
        const QByteArray text = texts[i].left(kFields[i].width);
        bytes[kFields[i].offset] = char(text.size());
        std::copy(text.begin(), text.end(), bytes.begin() + kFields[i].offset + 1);
    }
    return bytes;
}

// Every line built, then put in the list order: character codes, with a-z taken as A-Z and
// nothing else folded; equal lines in the order of their records.
ListRows builtAndSorted(const QList<QByteArray> &records)
{
    const LineBuilder builder(kLayout, kPieces);
    ListRows rows;
    for (qsizetype i = 0; i < records.size(); ++i)
        rows.push_back({builder.line(records[i].constData()), i});
    auto folded = [](QString line) {
        for (QChar &c : line)
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - u'a' + u'A');
        return line;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const ListRow &a, const ListRow &b) { return folded(a.text) < folded(b.text); });
    return rows;
}

void compareWithBuilt(const QList<QByteArray> &records)
{
    const LineBuilder builder(kLayout, kPieces);
    KeptRows kept(builder);
    int longest = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        kept.append(i, records[i].constData());
        longest = std::max(longest, int(builder.line(records[i].constData()).size()));
    }
    QCOMPARE(kept.longest(), longest);
    kept.sort();
    const ListRows expected = builtAndSorted(records);
    QCOMPARE(kept.size(), qsizetype(expected.size()));
    for (qsizetype row = 0; row < kept.size(); ++row) {
        QCOMPARE(kept.lineAt(row), expected[size_t(row)].text);
        QCOMPARE(kept.recordAt(row), expected[size_t(row)].index);
    }
}

} // namespace

class TestKeptRows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { corvallaTestInit(); }

    void sameAsBuildingAndSorting_data()
    {
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::newRow("a-z count as A-Z; equal lines keep their order")
            << QList<QByteArray>{record("beta"), record("Alfa"), record("alfa"), record("ALFA", "c", "1"),
                                 record("alfa", "c", "2")};
        QTest::newRow("lines alike beyond their first twelve characters")
            << QList<QByteArray>{record("ABCDEFGHIJKLMO"), record("ABCDEFGHIJKLMN"), record("abcdefghijklm"),
                                 record("ABCDEFGHIJKL"), record("ABCDEFGHIJKLMNOP", "a")};
        QTest::newRow("names cut at fourteen characters compare by what follows")
            << QList<QByteArray>{record("ABCDEFGHIJKLMNxyz", "z"), record("ABCDEFGHIJKLMN", "a"),
                                 record("ABCDEFGHIJKLMNq", "a", "0")};
        QTest::newRow("a code of another length moves the pieces after it")
            << QList<QByteArray>{record("Rossi", "X"), record("Rossi", "XY"), record("Rossi", "X", "9"),
                                 record("Rossi", "", "1"), record("Rossi", "X|")};
        QTest::newRow("Windows-1252 letters by their character codes, not their bytes")
            << QList<QByteArray>{record("\xFF"), record("\x9F"), record("\x80uro"), record("z"),
                                 record("\xE0"), record("\xC0"), record("_")};
        QTest::newRow("a name cut where a control code or a blank ends it")
            << QList<QByteArray>{record("ABCDEFGHIJKLM\x01Z"), record("ABCDEFGHIJKLM Z"),
                                 record("ABCDEFGHIJKLM"), record("ABCDEFGHIJKLM\tZ", "")};
        QTest::newRow("blanks trimmed, empty fields, control codes inside")
            << QList<QByteArray>{record("  Rossi  "),
                                 record("Rossi"),
                                 record(""),
                                 record(QByteArray("a\0b", 3)),
                                 record(QByteArray("a\x01", 2)),
                                 record("a"),
                                 record(" ", "", "")};
        QTest::newRow("no rows") << QList<QByteArray>{};
    }

    void sameAsBuildingAndSorting()
    {
        QFETCH(QList<QByteArray>, records);
        compareWithBuilt(records);
    }

    void sameAsBuildingAndSortingForManyRows()
    {
        // Few letters, so that many lines share long beginnings or are equal.
        const QByteArray letters("aAbB \x80\xE0\xC0\x01z|", 11);
        QRandomGenerator random(20261211);
        auto text = [&](int most) {
            QByteArray t;
            for (int n = random.bounded(most + 1); n > 0; --n)
                t += letters[random.bounded(int(letters.size()))];
            return t;
        };
        QList<QByteArray> records;
        for (int i = 0; i < 3000; ++i)
            records.append(record(text(18), text(4), text(3)));
        compareWithBuilt(records);
    }

    void rowsInTheOrderAddedUntilSorted()
    {
        const LineBuilder builder(kLayout, kPieces);
        KeptRows kept(builder);
        kept.append(7, record("zeta").constData());
        kept.append(3, record("alfa").constData());
        QCOMPARE(kept.lineAt(0), builder.line(record("zeta").constData()));
        QCOMPARE(kept.recordAt(1), qint64(3));
        kept.sort();
        QCOMPARE(kept.recordAt(0), qint64(3));
        const ListRows rows = kept.toListRows();
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[1].text, builder.line(record("zeta").constData()));
        QCOMPARE(rows[1].index, qint64(7));
    }
};

QTEST_MAIN(TestKeptRows)
#include "tst_keptrows.moc"
