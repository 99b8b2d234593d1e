// corvalla_core links and works in a program without Qt Widgets: records, archives, search lines,
// member photos, report layout and PDF output.
#include "common/RecordArchive.h"
#include "common/ResourceImage.h"
#include "members/MemberSearch.h"
#include "records/MemberPhoto.h"
#include "records/MemberRecord.h"
#include "reports/ListReportPage.h"
#include "reports/Report.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef QT_WIDGETS_LIB
#error "corvalla_core must build without Qt Widgets"
#endif

class CoreWithoutWidgets : public QObject
{
    Q_OBJECT

private slots:
    void noWidgetsLibraryIsLoaded()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray loaded = maps.readAll();
        QVERIFY(loaded.contains("libQt6Gui"));
        QVERIFY(!loaded.contains("libQt6Widgets"));
        QVERIFY(!loaded.contains("libQt6PrintSupport"));
    }

    void recordsSearchAndReports()
    {
        QTemporaryDir dir;
        const RecordArchive archive(dir.filePath(QStringLiteral("Archivio_Iscritti.pro")), Member::layout());
        Member::Record r;
        r[Member::Tiratore] = QStringLiteral("Rossi Mario");
        r[Member::Quota] = QStringLiteral("25,00");
        QCOMPARE(archive.appendBytes(Member::encode(r)), qint64(0));
        QByteArray bytes;
        QVERIFY(archive.readBytes(0, bytes));
        QCOMPARE(Member::decode(bytes)[Member::Tiratore], QStringLiteral("Rossi Mario"));
        QVERIFY(MemberSearch::buildLine(MemberSearch::LineKind::Result, bytes.constData())
                    .startsWith(QStringLiteral("Rossi Mario")));

        QVERIFY(!resourceImage(QStringLiteral(":/pictures/foto_vuota.svg"), QSize(30, 40)).isNull());
        QCOMPARE(MemberPhoto::placeholder().size(), QSize(307, 394));

        Reports::PreparedReport report;
        QString error;
        QVERIFY2(ListReportPage::prepare(QStringLiteral("Riepilogo"), {QStringLiteral("Rossi Mario")},
                                         &report, &error),
                 qPrintable(error));
        const QString pdf = dir.filePath(QStringLiteral("riepilogo.pdf"));
        QVERIFY2(Reports::renderPdf(report, pdf, &error), qPrintable(error));
        QVERIFY(QFile(pdf).size() > 0);
    }
};

QTEST_MAIN(CoreWithoutWidgets)
#include "core_without_widgets.moc"
