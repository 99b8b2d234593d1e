// The shared record machinery on a small layout of its own: the generic codec and archive, and the
// three rules every archive window calls (browsing by position, the first missing required field,
// save as update in place or append).
#include "TestSupport.h"

#include "common/RecordArchive.h"
#include "common/RecordLayout.h"
#include "common/RecordRules.h"

#include <QTemporaryDir>
#include <QtTest>

using RecordRules::Browse;
using RecordRules::Save;
using RecordRules::Step;

namespace {

constexpr FieldSpec kSmall[] = {
    {"txtNome", 0, 20},
    {"txtCitta", 21, 10},
    {"txtNote", 32, 5},
};
constexpr int kSmallSize = 38;
static_assert(isRecordLayout(kSmall, kSmallSize), "the small layout fills its record");
constexpr FieldSpec kGap[] = {{"a", 0, 4}, {"b", 6, 4}};
static_assert(!isRecordLayout(kGap, 11), "a gap between fields is no layout");
static_assert(!isRecordLayout(kSmall, kSmallSize + 1), "the widths must add up to the record size");

QByteArray smallRecord(const QString &name, const QString &city = QString())
{
    return encodeRecord(RecordLayout(kSmall), QStringList{name, city});
}

} // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Browse::Outcome)

class TestRecordRules : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;

    RecordArchive archive() const { return RecordArchive(m_path, kSmall); }

private slots:
    void initTestCase() { corvallaTestInit(); }
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("Piccolo.pro"));
        QFile::remove(m_path);
    }

    void codecFollowsTheLayout()
    {
        const RecordLayout layout(kSmall);
        QCOMPARE(layout.recordSize(), kSmallSize);
        QCOMPARE(layout.indexOf(u"txtCitta"), 1);
        QCOMPARE(layout.indexOf(u"txtManca"), -1);

        const QByteArray bytes =
            encodeRecord(layout, QStringList{QStringLiteral("  Città di € prova, troppo lunga "), "Roma"});
        QCOMPARE(bytes.size(), kSmallSize);
        QCOMPARE(int(uchar(bytes[0])), 20);                                   // cut to the width
        QCOMPARE(bytes.mid(1, 20), QByteArray("Citt\xe0 di \x80 prova, tr")); // Windows-1252
        QCOMPARE(bytes.mid(21, 5), QByteArray("\x04Roma"));
        QCOMPARE(bytes.mid(32), QByteArray(6, '\0')); // a missing text is written empty
        QCOMPARE(decodeRecord(layout, bytes),
                 QStringList({QStringLiteral("Città di € prova, tr"), "Roma", QString()}));
        QCOMPARE(decodeField(layout, bytes.constData(), 1), QStringLiteral("Roma"));
        QCOMPARE(decodeRecord(layout, bytes.left(10)), QStringList(3)); // short bytes: empty texts
    }

    void archiveCountsReadsWritesAndAppends()
    {
        const RecordArchive a = archive();
        QCOMPARE(a.count(), qint64(0)); // created empty
        QCOMPARE(a.append(QStringList{"Primo"}), qint64(0));
        QCOMPARE(a.appendBytes(smallRecord("Secondo", "Pisa")), qint64(1));
        QVERIFY(a.write(0, QStringList{"Primo bis", "Lucca"}));
        QStringList texts;
        QVERIFY(a.read(0, texts));
        QCOMPARE(texts, QStringList({"Primo bis", "Lucca", ""}));
        QVERIFY(!a.read(2, texts));
        QStringList names;
        QVERIFY(a.scan([&](qint64, const char *record) {
            names.append(decodeField(a.layout(), record, 0));
            return true;
        }));
        QCOMPARE(names, QStringList({"Primo bis", "Secondo"}));
    }

    // An update never makes the file longer: a write at or past the end fails and leaves the file
    // as it was (no gap of empty records, no stray record).
    void writePastTheEndFailsAndChangesNothing()
    {
        const RecordArchive a = archive();
        QCOMPARE(a.append(QStringList{"Unico"}), qint64(0));
        const QByteArray before = readAll(m_path);
        QString error;
        QVERIFY(!a.write(1, QStringList{"Oltre"}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!a.write(5, QStringList{"Oltre"}));
        QVERIFY(!a.write(-1, QStringList{"Prima"}));
        QCOMPARE(readAll(m_path), before);
    }

    // Browsing from the position on show. The count is read only when the move needs it.
    void browsing_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<qint64>("position"); // 0: new record, -1: no position
        QTest::addColumn<qint64>("count");    // -1: the archive cannot be read
        QTest::addColumn<Browse::Outcome>("outcome");
        QTest::addColumn<qint64>("index");
        QTest::addColumn<bool>("clearPosition");
        QTest::addColumn<bool>("countAsked");
        using O = Browse::Outcome;
        // clang-format off
        QTest::newRow("first")                     << Step::First    << qint64(3)  << qint64(5)  << O::Show         << qint64(0)  << false << true;
        QTest::newRow("first, empty archive")      << Step::First    << qint64(0)  << qint64(0)  << O::EmptyArchive << qint64(-1) << false << true;
        QTest::newRow("last")                      << Step::Last     << qint64(0)  << qint64(5)  << O::Show         << qint64(4)  << false << true;
        QTest::newRow("last, empty archive")       << Step::Last     << qint64(2)  << qint64(0)  << O::EmptyArchive << qint64(-1) << false << true;
        QTest::newRow("next")                      << Step::Next     << qint64(2)  << qint64(5)  << O::Show         << qint64(2)  << false << true;
        QTest::newRow("next from a new record")    << Step::Next     << qint64(0)  << qint64(5)  << O::Show         << qint64(0)  << false << true;
        QTest::newRow("next on the last")          << Step::Next     << qint64(5)  << qint64(5)  << O::NoMove       << qint64(-1) << false << true;
        QTest::newRow("next, empty archive")       << Step::Next     << qint64(3)  << qint64(0)  << O::EmptyArchive << qint64(-1) << true  << true;
        QTest::newRow("next from no position")     << Step::Next     << qint64(-1) << qint64(5)  << O::NoMove       << qint64(-1) << false << false;
        QTest::newRow("previous")                  << Step::Previous << qint64(4)  << qint64(5)  << O::Show         << qint64(2)  << false << true;
        QTest::newRow("previous to the first")     << Step::Previous << qint64(2)  << qint64(5)  << O::Show         << qint64(0)  << false << true;
        QTest::newRow("previous on the first")     << Step::Previous << qint64(1)  << qint64(5)  << O::NoMove       << qint64(-1) << false << false;
        QTest::newRow("previous from a new record")<< Step::Previous << qint64(0)  << qint64(5)  << O::Show         << qint64(0)  << false << true;
        QTest::newRow("previous, empty archive")   << Step::Previous << qint64(3)  << qint64(0)  << O::EmptyArchive << qint64(-1) << false << true;
        QTest::newRow("previous from no position") << Step::Previous << qint64(-1) << qint64(5)  << O::NoMove       << qint64(-1) << false << false;
        QTest::newRow("previous past a shrunk end")<< Step::Previous << qint64(9)  << qint64(3)  << O::Show         << qint64(2)  << false << true;
        QTest::newRow("first, unreadable archive") << Step::First    << qint64(0)  << qint64(-1) << O::AccessError  << qint64(-1) << false << true;
        QTest::newRow("next, unreadable archive")  << Step::Next     << qint64(1)  << qint64(-1) << O::AccessError  << qint64(-1) << false << true;
        // clang-format on
    }
    void browsing()
    {
        QFETCH(Step, step);
        QFETCH(qint64, position);
        QFETCH(qint64, count);
        QFETCH(Browse::Outcome, outcome);
        QFETCH(qint64, index);
        QFETCH(bool, clearPosition);
        QFETCH(bool, countAsked);
        bool asked = false;
        const Browse move = RecordRules::browse(step, position, [&] {
            asked = true;
            return count;
        });
        QCOMPARE(move.outcome, outcome);
        QCOMPARE(move.index, index);
        QCOMPARE(move.clearPosition, clearPosition);
        QCOMPARE(asked, countAsked);
    }

    void positionText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("position");
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("blanks") << "  " << qint64(0);
        QTest::newRow("number") << " 12 " << qint64(12);
        QTest::newRow("zero") << "0" << qint64(-1);
        QTest::newRow("negative") << "-3" << qint64(-1);
        QTest::newRow("text") << "abc" << qint64(-1);
    }
    void positionText()
    {
        QFETCH(QString, text);
        QFETCH(qint64, position);
        QCOMPARE(RecordRules::positionNumber(text), position);
    }

    void firstMissingField_data()
    {
        QTest::addColumn<QStringList>("texts"); // one per field of the small layout
        QTest::addColumn<int>("missing");       // the row found, -1 for none
        QTest::newRow("all filled") << QStringList{"a", "b", "c"} << -1;
        QTest::newRow("first empty") << QStringList{"", "", "c"} << 0;
        QTest::newRow("blanks count as empty") << QStringList{"a", " \t ", ""} << 1;
        QTest::newRow("optional field empty") << QStringList{"a", "b", ""} << -1;
    }
    void firstMissingField()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, missing);
        // Checked in this order: the name, then the city; the note is optional.
        const std::vector<RecordRules::RequiredField> required = {{0, "Nome mancante"},
                                                                  {1, "Città mancante"}};
        const RecordRules::RequiredField *row =
            RecordRules::firstMissingField(required, [&](int field) { return texts.value(field); });
        QCOMPARE(row ? int(row - required.data()) : -1, missing);
        if (row)
            QCOMPARE(row->field, required[size_t(missing)].field);
    }

    void saveUpdatesOrAppends()
    {
        const RecordArchive a = archive();
        Save s = RecordRules::save(a, 0, smallRecord("Nuovo"));
        QCOMPARE(s.outcome, Save::Outcome::Appended);
        QCOMPARE(s.position, qint64(1));
        s = RecordRules::save(a, 0, smallRecord("Altro"));
        QCOMPARE(s.outcome, Save::Outcome::Appended);
        QCOMPARE(s.position, qint64(2));
        s = RecordRules::save(a, 1, smallRecord("Nuovo corretto", "Siena"));
        QCOMPARE(s.outcome, Save::Outcome::Updated);
        QCOMPARE(s.position, qint64(1));
        QCOMPARE(a.count(), qint64(2));
        QStringList texts;
        QVERIFY(a.read(0, texts));
        QCOMPARE(texts.first(), QStringLiteral("Nuovo corretto"));

        // Failures leave the archive as it was.
        const QByteArray before = readAll(m_path);
        for (const qint64 position : {qint64(-1), qint64(3), qint64(40)}) {
            s = RecordRules::save(a, position, smallRecord("Sbagliato"));
            QCOMPARE(s.outcome, Save::Outcome::Failed);
            QCOMPARE(s.position, qint64(0));
            QVERIFY(!s.error.isEmpty());
        }
        QCOMPARE(readAll(m_path), before);

        // An archive that cannot be created.
        const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
        writeFile(blocker, "x");
        s = RecordRules::save(RecordArchive(blocker + QStringLiteral("/sub/Piccolo.pro"), kSmall), 0,
                              smallRecord("X"));
        QCOMPARE(s.outcome, Save::Outcome::Failed);
    }
};

QTEST_MAIN(TestRecordRules)
#include "tst_recordrules.moc"
