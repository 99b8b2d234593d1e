// Fixed-record files: counting, reading, in-place writes, appends, failures and two programs
// appending to the same archive at once.
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "common/RecordFile.h"
#include "records/MemberArchive.h"
#include "records/ReceiptRecord.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int kSize = Member::kRecordSize;

Member::Record named(const QString &name)
{
    Member::Record r;
    r[Member::Tiratore] = name;
    r[Member::Attivita] = QStringLiteral("Tiro a segno");
    return r;
}

// The journal of an update in place as the program writes it beside the file: "CVJ1", the
// offset (8 bytes) and length (4 bytes) of the old bytes, the old bytes, and the FNV-1a checksum
// of all before it (4 bytes), numbers least significant byte first.
QByteArray journalOf(qint64 offset, const QByteArray &old)
{
    QByteArray bytes("CVJ1");
    for (int i = 0; i < 8; ++i)
        bytes.append(char((quint64(offset) >> (8 * i)) & 0xFF));
    for (int i = 0; i < 4; ++i)
        bytes.append(char((quint32(old.size()) >> (8 * i)) & 0xFF));
    bytes.append(old);
    quint32 h = 2166136261u;
    for (const char c : bytes)
        h = (h ^ quint8(c)) * 16777619u;
    for (int i = 0; i < 4; ++i)
        bytes.append(char((h >> (8 * i)) & 0xFF));
    return bytes;
}

// A file of `n` records, each filled with its own byte so that any stray write shows.
QByteArray patterned(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(QByteArray(kSize, char('A' + i)));
    return bytes;
}
} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { corvallaTestInit(); }
    void init()
    {
        setProgramFolder(m_dir.path());
        QFile::remove(MemberArchive::filePath());
    }

    void missingFile_isCreatedEmptyByReaders()
    {
        QVERIFY(!QFile::exists(MemberArchive::filePath()));
        QCOMPARE(MemberArchive::count(), qint64(0));
        QVERIFY(QFile::exists(MemberArchive::filePath()));
        Member::Record r;
        QVERIFY(!MemberArchive::read(0, r)); // nothing to read
    }

    void incompleteTail_isIgnoredAndOverwrittenByAppend()
    {
        QByteArray bytes = patterned(2) + QByteArray(100, 'Z');
        writeFile(MemberArchive::filePath(), bytes);
        QCOMPARE(MemberArchive::count(), qint64(2));
        Member::Record r;
        QVERIFY(!MemberArchive::read(2, r));
        QCOMPARE(MemberArchive::append(named(QStringLiteral("Terzo"))), qint64(2));
        const QByteArray after = readAll(MemberArchive::filePath());
        QCOMPARE(after.size(), 3 * kSize);
        QCOMPARE(after.left(2 * kSize), patterned(2));
        QVERIFY(MemberArchive::read(2, r));
        QCOMPARE(r[Member::Tiratore], QStringLiteral("Terzo"));
    }

    void writeInPlace_touchesOnlyItsRecord()
    {
        writeFile(MemberArchive::filePath(), patterned(5));
        QVERIFY(MemberArchive::write(2, named(QStringLiteral("Bianchi Anna")))); // position 3
        const QByteArray after = readAll(MemberArchive::filePath());
        QCOMPARE(after.size(), 5 * kSize);
        QCOMPARE(after.left(6378), patterned(5).left(6378));
        QCOMPARE(after.mid(9567), patterned(5).mid(9567));
        QCOMPARE(after.mid(6378, kSize), Member::encode(named(QStringLiteral("Bianchi Anna"))));
    }

    void unreachableFolder_failsWithoutCreatingAnything()
    {
        // A program folder below a regular file can never be created, even by root.
        const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
        writeFile(blocker, "x");
        setProgramFolder(blocker + QStringLiteral("/sub"));
        QString error;
        QCOMPARE(MemberArchive::count(&error), qint64(-1));
        QVERIFY(!error.isEmpty());
        QCOMPARE(MemberArchive::append(named(QStringLiteral("X")), &error), qint64(-1));
        QVERIFY(!MemberArchive::scan([](qint64, const char *) { return true; }, &error));
    }

    // A write cut short by the file-size limit reports failure, leaves no partial record behind
    // and keeps the earlier records as they were.
    void shortWrite_failsAndKeepsEarlierRecords()
    {
        writeFile(MemberArchive::filePath(), patterned(2));
        QString error;
        qint64 index = 0;
        {
            const FileSizeLimit full(2 * kSize + kSize / 2);
            index = MemberArchive::append(named(QStringLiteral("Troppo")), &error);
        }
        QCOMPARE(index, qint64(-1));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(MemberArchive::filePath()), patterned(2));
    }

    void scan_visitsEveryRecordInOrderAcrossBlocks()
    {
        const int n = 1300; // more than one read block
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes.append(Member::encode(named(QString::number(i))));
        writeFile(MemberArchive::filePath(), bytes);
        qint64 expected = 0;
        bool inOrder = true;
        QVERIFY(MemberArchive::scan([&](qint64 index, const char *rec) {
            inOrder = inOrder && index == expected &&
                      Member::decodeField(rec, Member::Tiratore) == QString::number(index);
            ++expected;
            return true;
        }));
        QVERIFY(inOrder);
        QCOMPARE(expected, qint64(n));
    }

    // Several programs appending at the same moment: every record arrives, none overwrites another.
    void concurrentAppends_loseNothing()
    {
        const int processes = 4;
        const int each = 150;
        QList<QList<QPair<QString, QString>>> children;
        for (int p = 0; p < processes; ++p)
            children.append({{QStringLiteral("CORVALLA_APPEND_FOLDER"), m_dir.path()},
                             {QStringLiteral("CORVALLA_APPEND_TAG"), QString::number(p)},
                             {QStringLiteral("CORVALLA_APPEND_COUNT"), QString::number(each)}});
        QVERIFY(runChildrenAtOnce(children));
        QCOMPARE(MemberArchive::count(), qint64(processes * each));
        QSet<QString> names;
        QVERIFY(MemberArchive::scan([&](qint64, const char *rec) {
            names.insert(Member::decodeField(rec, Member::Tiratore));
            return true;
        }));
        QCOMPARE(names.size(), processes * each);
    }

    // Updates in place killed at random moments (kill -9, many thousands of updates in all, on
    // tmpfs where the kernel splits a record at page boundaries): after each kill the next open
    // finds every record either as it was or as it was written, never a mix of two.
    void killedUpdates_leaveEveryRecordWhole()
    {
        constexpr int kRecord = 1099; // a receipt: records cross page boundaries
        constexpr int kRecords = 12;
        QTemporaryDir shm(QStringLiteral("/dev/shm/corvalla-XXXXXX"));
        const QString folder = shm.isValid() ? shm.path() : m_dir.path();
        const QString path = folder + QStringLiteral("/2024.ric");
        QByteArray start;
        for (int i = 0; i < kRecords; ++i)
            start.append(QByteArray(kRecord, char(i)));
        writeFile(path, start);

        int journalsFound = 0;
        QRandomGenerator random(20241210);
        for (int kill = 0; kill < 200; ++kill) {
            QProcess writer;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("CORVALLA_REWRITE_FILE"), path);
            env.insert(QStringLiteral("CORVALLA_REWRITE_SEED"), QString::number(kill + 1));
            writer.setProcessEnvironment(env);
            writer.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(writer.waitForReadyRead(30000));
            QThread::usleep(random.bounded(5000));
            writer.kill(); // SIGKILL: no chance to finish the write
            QVERIFY(writer.waitForFinished(30000));

            RecordFile file(path, kRecord);
            journalsFound += QFile::exists(file.journalPath()) ? 1 : 0;
            QVERIFY(file.open(RecordFile::Access::Read));
            QCOMPARE(file.count(), qint64(kRecords));
            QVERIFY(!QFile::exists(file.journalPath()));
            for (int i = 0; i < kRecords; ++i) {
                QByteArray record;
                QVERIFY(file.read(i, record));
                QVERIFY2(record.count(record.at(0)) == kRecord,
                         qPrintable(
                             QStringLiteral("record %1 mixes two versions after kill %2").arg(i).arg(kill)));
            }
        }
        // The kills did land in the middle of updates.
        QVERIFY2(journalsFound > 0, "no kill interrupted an update");
    }

    // A journal that did not reach the disk whole was written before its update began: the file
    // is left as it is and the journal goes.
    void incompleteJournal_isDiscarded()
    {
        writeFile(MemberArchive::filePath(), patterned(3));
        RecordFile file(MemberArchive::filePath(), kSize);
        writeFile(file.journalPath(), QByteArrayLiteral("CVJ1\x10\x00"));
        QVERIFY(file.open(RecordFile::Access::Read));
        QVERIFY(!QFile::exists(file.journalPath()));
        file.close();
        QCOMPARE(readAll(MemberArchive::filePath()), patterned(3));
    }

    // Another program in the middle of a save: it holds the exclusive lock and its journal lies
    // beside the file. A reader waits for the lock; by then the save is over and its journal gone,
    // which leaves nothing to roll back: the read succeeds and finds the record as saved, not the
    // journal's old bytes put back.
    void journalOfASaveUnderWay_isLeftToItsWriter()
    {
        constexpr int kReceipt = 1099;
        const QString path = m_dir.filePath(QStringLiteral("2024.ric"));
        QByteArray receipts;
        for (char c : {'a', 'b', 'c'})
            receipts.append(QByteArray(kReceipt, c));
        writeFile(path, receipts);
        QProcess saver;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVALLA_HOLD_LOCK"), path);
        env.insert(QStringLiteral("CORVALLA_HOLD_MS"), QStringLiteral("500"));
        env.insert(QStringLiteral("CORVALLA_HOLD_JOURNAL"), QString::number(kReceipt));
        saver.setProcessEnvironment(env);
        saver.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(saver.waitForReadyRead(30000));
        QCOMPARE(saver.readLine().trimmed(), QByteArray("locked"));
        QVERIFY(QFile::exists(path + QStringLiteral(".journal")));

        const RecordArchive year(path, Receipt::layout());
        QString error;
        QByteArray second;
        QVERIFY2(year.readBytes(1, second, &error), qPrintable(error));
        QCOMPARE(second, QByteArray(kReceipt, 'b'));
        QCOMPARE(year.count(), qint64(3));
        QVERIFY(saver.waitForFinished(30000));
        QCOMPARE(saver.exitCode(), 0);
        QCOMPARE(readAll(path), receipts);
    }

    // Another program saving one receipt after another without a pause while this one reads: every
    // read succeeds and finds each record whole.
    void readsBesideASteadySaver_neverFail()
    {
        constexpr int kRecord = 1099;
        constexpr int kRecords = 12;
        QTemporaryDir shm(QStringLiteral("/dev/shm/corvalla-XXXXXX"));
        const QString path = (shm.isValid() ? shm.path() : m_dir.path()) + QStringLiteral("/2024.ric");
        QByteArray start;
        for (int i = 0; i < kRecords; ++i)
            start.append(QByteArray(kRecord, char(i)));
        writeFile(path, start);
        QProcess saver;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVALLA_REWRITE_FILE"), path);
        env.insert(QStringLiteral("CORVALLA_REWRITE_SEED"), QStringLiteral("7"));
        saver.setProcessEnvironment(env);
        saver.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(saver.waitForReadyRead(30000));

        const RecordArchive year(path, Receipt::layout());
        int failed = 0;
        int torn = 0;
        for (int i = 0; i < 1000; ++i) {
            QByteArray record;
            if (!year.readBytes(i % kRecords, record))
                ++failed;
            else if (record.count(record.at(0)) != kRecord)
                ++torn;
        }
        QCOMPARE(saver.state(), QProcess::Running); // the saver was saving all along
        saver.kill();
        saver.waitForFinished(30000);
        QCOMPARE(failed, 0);
        QCOMPARE(torn, 0);
    }

    // Another program holding the archive's lock: a short hold is waited for; a lock held for good
    // fails the operation after about two seconds instead of freezing the window.
    void lockHeldElsewhere_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("released after 0.5 s") << 500 << true;
        QTest::newRow("held for good") << -1 << false;
    }
    void lockHeldElsewhere()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, succeeds);
        writeFile(MemberArchive::filePath(), patterned(1));
        QProcess holder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVALLA_HOLD_LOCK"), MemberArchive::filePath());
        env.insert(QStringLiteral("CORVALLA_HOLD_MS"), QString::number(holdMs));
        holder.setProcessEnvironment(env);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        QElapsedTimer clock;
        clock.start();
        QString error;
        const qint64 index = MemberArchive::append(named(QStringLiteral("Dopo")), &error);
        const qint64 waited = clock.elapsed();
        if (succeeds) {
            QCOMPARE(index, qint64(1));
            QVERIFY(holder.waitForFinished(30000));
        } else {
            QCOMPARE(index, qint64(-1));
            QVERIFY2(error.startsWith(QStringLiteral("lock")), qPrintable(error));
            QVERIFY2(waited >= 1500 && waited < 6000, qPrintable(QString::number(waited)));
            QCOMPARE(MemberArchive::count(), qint64(-1));
            holder.kill();
            holder.waitForFinished(30000);
            QCOMPARE(MemberArchive::count(), qint64(1)); // the archive is untouched and free again
        }
    }
};

int main(int argc, char *argv[])
{
    // Child mode of the kill test: rewrite random records, each with one byte value throughout,
    // until killed.
    const QByteArray rewrite = qgetenv("CORVALLA_REWRITE_FILE");
    if (!rewrite.isEmpty()) {
        constexpr int kRecord = 1099;
        QRandomGenerator random(quint32(qEnvironmentVariableIntValue("CORVALLA_REWRITE_SEED")));
        const QString path = QString::fromLocal8Bit(rewrite);
        for (quint64 n = 0;; ++n) {
            RecordFile file(path, kRecord);
            if (!file.open(RecordFile::Access::Write))
                return 1;
            const qint64 records = file.count();
            if (!file.write(random.bounded(records), QByteArray(kRecord, char(random.bounded(256)))))
                return 1;
            file.close();
            if (n == 0) {
                std::fputs("ready\n", stdout);
                std::fflush(stdout);
            }
        }
    }

    // Child mode of the lock tests: hold the archive's lock for a while (-1: until ended). With
    // CORVALLA_HOLD_JOURNAL (a record size), as a save in place of the second record does: its
    // journal is made after the lock is taken and removed before it is let go.
    const QByteArray lockPath = qgetenv("CORVALLA_HOLD_LOCK");
    if (!lockPath.isEmpty()) {
        const int fd = ::open(lockPath.constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
            return 1;
        const int journalRecord = qEnvironmentVariableIntValue("CORVALLA_HOLD_JOURNAL");
        const QString journal = QString::fromLocal8Bit(lockPath) + QStringLiteral(".journal");
        if (journalRecord > 0) {
            QFile file(journal);
            const QByteArray bytes = journalOf(journalRecord, QByteArray(journalRecord, 'x'));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
                return 1;
        }
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        const int holdMs = qEnvironmentVariableIntValue("CORVALLA_HOLD_MS");
        QThread::msleep(ulong(holdMs < 0 ? 600000 : holdMs));
        if (journalRecord > 0 && !QFile::remove(journal))
            return 1;
        return 0;
    }

    // Child mode of the concurrency test: append records tagged with this process's number.
    const QByteArray folder = qgetenv("CORVALLA_APPEND_FOLDER");
    if (!folder.isEmpty()) {
        QCoreApplication app(argc, argv);
        setProgramFolder(QString::fromLocal8Bit(folder));
        const QString tag = QString::fromLocal8Bit(qgetenv("CORVALLA_APPEND_TAG"));
        const int count = qEnvironmentVariableIntValue("CORVALLA_APPEND_COUNT");
        for (int i = 0; i < count; ++i) {
            // On a busy machine a turn may come later than the lock waits; the user would be told
            // and save again, as this does.
            QString error;
            int tries = 0;
            while (MemberArchive::append(named(tag + QLatin1Char('-') + QString::number(i)), &error) < 0)
                if (!error.startsWith(QStringLiteral("lock")) || ++tries == 20)
                    return 1;
        }
        return 0;
    }
    QApplication app(argc, argv);
    TestRecordFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recordfile.moc"
