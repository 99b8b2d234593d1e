// Receipt records against hand-written bytes, and the year file: creation, counting, in-place
// updates, appends, scans, damaged files and failures that must not touch other receipts.
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "receipts/ReceiptRules.h"
#include "receipts/ReceiptSettings.h"
#include "records/ReceiptRecord.h"
#include "records/YearFile.h"

#include <QApplication>
#include <QDir>
#include <QtTest>

namespace {

constexpr int kSize = 1099;

// Writes a field as it lies in the file: length byte, text, the rest of the width left as it was.
void put(QByteArray &record, int offset, const QByteArray &text)
{
    record[offset] = char(text.size());
    record.replace(offset + 1, text.size(), text);
}

// A receipt written byte by byte at the offsets of the year file layout.
QByteArray handWrittenReceipt()
{
    QByteArray r(kSize, '\0');
    put(r, 0, "15");
    put(r, 31, "05/03/2024");
    put(r, 42, "120");
    put(r, 51, "50");
    put(r, 54, "CENTOVENTI");
    put(r, 305, "50");
    put(r, 308, "120,50");
    put(r, 320, "A.S.D. Corvalla");
    put(r, 371, "Via dello Sport 1");
    put(r, 422, "00100 Roma");
    put(r, 473, "C.F. 97000000000");
    put(r, 524, "Rossi Mario");
    put(r, 575, "RSSMRA80A01H501U");
    put(r, 592, "Nuoto - attivit\xE0 agonistica"); // Windows-1252 a grave
    put(r, 713, "01/03/2024");
    put(r, 724, "31/03/2024");
    put(r, 735, "Rossi Luca");
    put(r, 786, "Roma");
    put(r, 837, "12/07/2012");
    put(r, 848, QByteArray(250, 'x')); // the last field, full, ends the record
    return r;
}

Receipt::Record expectedReceipt()
{
    Receipt::Record r;
    const QStringList texts = {QStringLiteral("15"),
                               QStringLiteral("05/03/2024"),
                               QStringLiteral("120"),
                               QStringLiteral("50"),
                               QStringLiteral("CENTOVENTI"),
                               QStringLiteral("50"),
                               QStringLiteral("120,50"),
                               QStringLiteral("A.S.D. Corvalla"),
                               QStringLiteral("Via dello Sport 1"),
                               QStringLiteral("00100 Roma"),
                               QStringLiteral("C.F. 97000000000"),
                               QStringLiteral("Rossi Mario"),
                               QStringLiteral("RSSMRA80A01H501U"),
                               QStringLiteral("Nuoto - attività agonistica"),
                               QStringLiteral("01/03/2024"),
                               QStringLiteral("31/03/2024"),
                               QStringLiteral("Rossi Luca"),
                               QStringLiteral("Roma"),
                               QStringLiteral("12/07/2012"),
                               QString(250, u'x')};
    for (int i = 0; i < Receipt::FieldCount; ++i)
        r[i] = texts[i];
    return r;
}

Receipt::Record numbered(const QString &number)
{
    Receipt::Record r;
    r[Receipt::NumRic] = number;
    r[Receipt::Pagatore] = QStringLiteral("Pagatore ") + number;
    r[Receipt::Intero] = QStringLiteral("10,00");
    return r;
}

// `n` records, each filled with its own byte so that any stray write shows.
QByteArray patterned(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(QByteArray(kSize, char('A' + i)));
    return bytes;
}

} // namespace

class TestYearFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void initTestCase() { corvallaTestInit(); }
    void init()
    {
        setProgramFolder(m_dir.path());
        m_path = YearFile::pathFor(QStringLiteral("2024"));
        QFile::remove(m_path);
    }

    void layout_decodesAndEncodesHandWrittenBytes()
    {
        const QByteArray bytes = handWrittenReceipt();
        QCOMPARE(Receipt::decode(bytes), expectedReceipt());
        QCOMPARE(Receipt::encode(expectedReceipt()), bytes);
        QCOMPARE(Receipt::fieldIndex(QStringLiteral("txtIndirizzo")), int(Receipt::Indirizzo));
        QCOMPARE(Receipt::fieldIndex(QStringLiteral("txtNessuno")), -1);
    }

    void layout_encodeTrimsAndCutsEachField()
    {
        Receipt::Record r;
        r[Receipt::Pagatore] = QStringLiteral("  ") + QString(60, u'P') + QStringLiteral("  ");
        r[Receipt::Cents] = QStringLiteral(" 5 ");
        const QByteArray bytes = Receipt::encode(r);
        QCOMPARE(bytes.size(), kSize);
        QCOMPARE(bytes.mid(524, 51), char(50) + QByteArray(50, 'P'));
        QCOMPARE(bytes.mid(51, 3), QByteArray("\x01"
                                              "5\0",
                                              3));
        QCOMPARE(Receipt::decode(bytes)[Receipt::Pagatore], QString(50, u'P'));
    }

    // Only the first "length" bytes count: what lies after them, or a length byte larger than the
    // width, never leaks into the text or into the next field.
    void layout_readsOnlySignificantBytes()
    {
        QByteArray bytes = handWrittenReceipt();
        bytes.replace(1 + 2, 28, QByteArray(28, 'Z')); // garbage after "15"
        bytes[51] = char(200);                         // cents length beyond its width of 2
        const Receipt::Record r = Receipt::decode(bytes);
        QCOMPARE(r[Receipt::NumRic], QStringLiteral("15"));
        QCOMPARE(r[Receipt::Cents], QStringLiteral("50"));
        QCOMPARE(r[Receipt::ImpLettere], QStringLiteral("CENTOVENTI"));
    }

    void path_isProgramFolderYearAndExtension()
    {
        QCOMPARE(YearFile::pathFor(QStringLiteral(" 2025 ")),
                 QDir(m_dir.path()).filePath(QStringLiteral("2025.ric")));
    }

    void missingFile_isCreatedEmptyByEveryReader()
    {
        QCOMPARE(YearFile(m_path).count(), qint64(0));
        QVERIFY(QFileInfo(m_path).isFile());
        QFile::remove(m_path);
        QVERIFY(YearFile(m_path).scan([](qint64, const char *) { return true; }));
        QCOMPARE(QFileInfo(m_path).size(), qint64(0));
    }

    void appendReadAndUpdate_keepPositions()
    {
        const YearFile file(m_path);
        QCOMPARE(file.append(numbered(QStringLiteral("1"))), qint64(0));
        QCOMPARE(file.append(numbered(QStringLiteral("2"))), qint64(1));
        QCOMPARE(file.append(numbered(QStringLiteral("3"))), qint64(2));
        const QByteArray before = readAll(m_path);

        Receipt::Record changed = numbered(QStringLiteral("40"));
        QVERIFY(file.write(1, changed));
        const QByteArray after = readAll(m_path);
        QCOMPARE(after.size(), 3 * kSize);
        QCOMPARE(after.left(kSize), before.left(kSize));
        QCOMPARE(after.mid(2 * kSize), before.mid(2 * kSize));

        Receipt::Record back;
        QVERIFY(file.read(1, back));
        QCOMPARE(back, changed);
        QCOMPARE(file.count(), qint64(3));
    }

    // An update names an existing receipt; it never extends the file with a hole or a new record.
    void updateBeyondTheLastReceipt_isRefused()
    {
        writeFile(m_path, patterned(2));
        QString error;
        QVERIFY(!YearFile(m_path).write(2, numbered(QStringLiteral("9")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!YearFile(m_path).write(-1, numbered(QStringLiteral("9"))));
        QCOMPARE(readAll(m_path), patterned(2));
        Receipt::Record r;
        QVERIFY(!YearFile(m_path).read(2, r));
    }

    // A file whose length is not a multiple of 1099 counts its whole records only; the next
    // receipt replaces the incomplete tail.
    void incompleteTail_isIgnoredAndReplacedByAppend()
    {
        writeFile(m_path, patterned(2) + QByteArray(500, 'z'));
        const YearFile file(m_path);
        QCOMPARE(file.count(), qint64(2));
        int visited = 0;
        QVERIFY(file.scan([&](qint64, const char *) {
            ++visited;
            return true;
        }));
        QCOMPARE(visited, 2);
        QCOMPARE(file.append(numbered(QStringLiteral("3"))), qint64(2));
        const QByteArray bytes = readAll(m_path);
        QCOMPARE(bytes.size(), 3 * kSize);
        QCOMPARE(bytes.left(2 * kSize), patterned(2));
        QCOMPARE(Receipt::decode(bytes.mid(2 * kSize)), numbered(QStringLiteral("3")));
    }

    void scan_visitsInFileOrderAcrossBlocksAndStopsOnRequest()
    {
        const int n = 3500; // more than two read blocks
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes.append(Receipt::encode(numbered(QString::number(i + 1))));
        writeFile(m_path, bytes);
        qint64 expected = 0;
        bool inOrder = true;
        QVERIFY(YearFile(m_path).scan([&](qint64 index, const char *rec) {
            inOrder = inOrder && index == expected &&
                      Receipt::decodeField(rec, Receipt::NumRic) == QString::number(index + 1);
            ++expected;
            return true;
        }));
        QVERIFY(inOrder);
        QCOMPARE(expected, qint64(n));

        int seen = 0;
        QVERIFY(YearFile(m_path).scan([&](qint64, const char *) { return ++seen < 10; }));
        QCOMPARE(seen, 10);
    }

    // A year "file" that exists but cannot be opened (here a folder of that name) fails every
    // operation and is never replaced by a new empty file.
    void existingFileThatCannotBeOpened_isNeverReplaced()
    {
        QVERIFY(QDir().mkpath(m_path));
        writeFile(m_path + QStringLiteral("/inside.txt"), "kept");
        const YearFile file(m_path);
        QString error;
        QCOMPARE(file.count(&error), qint64(-1));
        QVERIFY(!error.isEmpty());
        QCOMPARE(file.append(numbered(QStringLiteral("1"))), qint64(-1));
        QVERIFY(!file.write(0, numbered(QStringLiteral("1"))));
        qint64 failedAt = 0;
        QVERIFY(!file.scan([](qint64, const char *) { return true; }, &error, &failedAt));
        QCOMPARE(failedAt, qint64(-1));
        QVERIFY(QFileInfo(m_path).isDir());
        QCOMPARE(readAll(m_path + QStringLiteral("/inside.txt")), QByteArray("kept"));
        QDir(m_path).removeRecursively();
    }

    // A write cut short (the disk fills up) fails, leaves no partial receipt and keeps the others.
    void failedAppend_keepsEveryOtherReceipt()
    {
        writeFile(m_path, patterned(2));
        QString error;
        qint64 index = 0;
        {
            const FileSizeLimit full(2 * kSize + kSize / 2);
            index = YearFile(m_path).append(numbered(QStringLiteral("3")), &error);
        }
        QCOMPARE(index, qint64(-1));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(m_path), patterned(2));
    }

    // Two programs issuing receipts on the same year at once: both showed the same next number
    // after Nuovo, yet every stored receipt has a number of its own, in the order stored. A number
    // typed by the user is kept as typed.
    void twoProgramsSaving_numberEveryReceiptOnce()
    {
        QFile::remove(m_path);
        QVERIFY(ReceiptSettings::writeStartNumber(QStringLiteral("100")));
        constexpr int kEach = 40;
        const QList<QPair<QString, QString>> program = {
            {QStringLiteral("CORVALLA_SAVE_FOLDER"), programFolder()},
            {QStringLiteral("CORVALLA_SAVE_PATH"), m_path},
            {QStringLiteral("CORVALLA_SAVE_COUNT"), QString::number(kEach)}};
        QVERIFY(runChildrenAtOnce({program, program}));
        QStringList numbers;
        QVERIFY(YearFile(m_path).scan([&](qint64, const char *record) {
            numbers << Receipt::decodeField(record, Receipt::NumRic);
            return true;
        }));
        QStringList expected;
        for (int i = 0; i < 2 * kEach; ++i)
            expected << QString::number(100 + i);
        QCOMPARE(numbers, expected);

        QString taken;
        Receipt::Record typed;
        typed[Receipt::NumRic] = QStringLiteral("7/bis");
        QVERIFY(YearFile(m_path).archive().appendMade(
                    Receipt::newReceipt(typed, QStringLiteral("180"), &taken)) >= 0);
        QCOMPARE(taken, QStringLiteral("7/bis"));
    }
};

int main(int argc, char *argv[])
{
    // Child mode of the two-programs test: Nuovo, then Salva, again and again; Nuovo's number is
    // read only once, as a user who keeps the window open would see it go stale.
    const QByteArray folder = qgetenv("CORVALLA_SAVE_FOLDER");
    if (!folder.isEmpty()) {
        QCoreApplication app(argc, argv);
        setProgramFolder(QString::fromLocal8Bit(folder));
        const YearFile file(QString::fromLocal8Bit(qgetenv("CORVALLA_SAVE_PATH")));
        for (int i = 0; i < qEnvironmentVariableIntValue("CORVALLA_SAVE_COUNT"); ++i) {
            const QString given = QString::number(*ReceiptSettings::receiptNumber(
                ReceiptSettings::startNumber(), qMax<qint64>(0, file.count())));
            Receipt::Record receipt;
            receipt[Receipt::NumRic] = given;
            QString taken;
            int tries = 0;
            while (file.archive().appendMade(Receipt::newReceipt(receipt, given, &taken)) < 0)
                if (++tries == 20)
                    return 1;
        }
        return 0;
    }
    QApplication app(argc, argv);
    TestYearFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_yearfile.moc"
