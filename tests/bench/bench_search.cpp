// Member search and expiry list timings on generated archives, each beside the time it takes just
// to read the same file through a reused 4 MB buffer. Prints a table; asserts nothing.
#include "BenchTiming.h"
#include "GeneratedNames.h"
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "members/MemberSearch.h"
#include "records/MemberArchive.h"
#include "reports/ListPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Member;

namespace {

void generateArchive(int count)
{
    using Generated::kNames, Generated::kSurnames;
    static const char *const sports[] = {"Tiro a volo", "Tiro con l'arco", "Nuoto", "Atletica", "Ciclismo"};
    QRandomGenerator rng(20240615);
    const QDate today = QDate::currentDate();
    QFile f(MemberArchive::filePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the archive");
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        Record r;
        r[Tiratore] = QStringLiteral("%1 %2 %3")
                          .arg(QString::fromLatin1(kSurnames[rng.bounded(20)]),
                               QString::fromLatin1(kNames[rng.bounded(15)]))
                          .arg(i);
        r[CodFisc] = QStringLiteral("RSSMRA80A01H%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
        r[Attivita] = QString::fromLatin1(sports[rng.bounded(5)]);
        r[Tel] = QStringLiteral("06 %1").arg(rng.bounded(1000000, 9999999));
        r[Cel] = QStringLiteral("333 %1").arg(rng.bounded(1000000, 9999999));
        r[Tessera] = QString::number(i + 1);
        r[Quota] = QStringLiteral("25,00");
        r[InizioTes] = today.addDays(-rng.bounded(700)).toString(QStringLiteral("dd/MM/yyyy"));
        r[FineTes] = today.addDays(rng.bounded(-365, 365)).toString(QStringLiteral("dd/MM/yyyy"));
        r[ScadenzaCertificato] = today.addDays(rng.bounded(-365, 365)).toString(QStringLiteral("dd/MM/yyyy"));
        r[Note] = QStringLiteral("Socio dal %1").arg(2000 + i % 24);
        block += encode(r);
        if (block.size() > 8 * 1024 * 1024) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

QStringList criteria(const QString &name)
{
    QStringList texts(MemberSearch::kCriterionCount);
    texts[0] = name;
    return texts;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    corvallaTestInit();
    QTemporaryDir dir;
    setProgramFolder(dir.path());

    ListPanel::Texts texts;
    texts.countLine = QStringLiteral("%1");
    ListPanel panel(texts);
    panel.resize(1000, 600);
    panel.show();
    // The list as the user gets it: filled as the search windows fill it, laid out and first
    // painted.
    auto fill = [&](KeptRows rows) {
        panel.setRows(std::move(rows));
        panel.listView()->doItemsLayout();
        panel.listView()->viewport()->repaint();
    };

    std::printf("%9s %10s | %12s %12s %12s %12s %12s | %s\n", "members", "read ms", "none found", "all ms",
                "name ms", "dblclick ms", "expired ms", "records listed (all / name / expired)");
    for (int n : {1000, 10000, 100000}) {
        generateArchive(n);
        const int runs = n >= 100000 ? 3 : 5;
        const double read = bestOf(runs, [] {
            if (readThroughBuffer(MemberArchive::filePath()) <= 0)
                qFatal("cannot read the archive");
        });
        // Reading for a search alone: a name that no member has, so that nothing is listed.
        qsizetype listedAll = 0, listedByName = 0, listedExpired = 0;
        const double searchNone = bestOf(runs, [&] {
            KeptRows none;
            MemberSearch::search(MemberSearch::Criteria(criteria(QStringLiteral("QQZZ"))), none);
            if (!none.isEmpty())
                qFatal("a member was found by a name that none has");
        });
        const double searchAll = bestOf(runs, [&] {
            KeptRows all;
            MemberSearch::search(MemberSearch::Criteria(), all);
            listedAll = all.size();
            fill(std::move(all));
        });
        const double searchName = bestOf(runs, [&] {
            KeptRows byName;
            MemberSearch::search(MemberSearch::Criteria(criteria(QStringLiteral("ROSS"))), byName);
            listedByName = byName.size();
            fill(std::move(byName));
        });
        // The double click: the row keeps its record, which is read alone.
        KeptRows all;
        MemberSearch::search(MemberSearch::Criteria(), all);
        const qsizetype chosen = all.size() / 2;
        int hits = 0;
        const double identify = bestOf(runs, [&] {
            hits = 0;
            Record record;
            if (MemberArchive::read(all.recordAt(chosen), record) &&
                MemberSearch::buildLine(MemberSearch::LineKind::Result, Member::encode(record).constData()) ==
                    all.lineAt(chosen))
                ++hits;
        });
        const double expiredCerts = bestOf(runs, [&] {
            KeptRows expired;
            MemberSearch::expiredRows(MemberSearch::kExpiredCertificates, QDate::currentDate(), expired);
            listedExpired = expired.size();
            fill(std::move(expired));
        });
        if (hits != 1)
            qFatal("the double click found %d records", hits);
        auto rel = [read](double ms) {
            return QStringLiteral("%1 (%2x)").arg(ms, 0, 'f', 1).arg(ms / read, 0, 'f', 1);
        };
        std::printf("%9d %10.1f | %12s %12s %12s %12s %12s | %lld / %lld / %lld\n", n, read,
                    qPrintable(rel(searchNone)), qPrintable(rel(searchAll)), qPrintable(rel(searchName)),
                    qPrintable(rel(identify)), qPrintable(rel(expiredCerts)), qint64(listedAll),
                    qint64(listedByName), qint64(listedExpired));
    }
    return 0;
}
