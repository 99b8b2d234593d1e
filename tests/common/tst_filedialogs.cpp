// The program's file dialogs speak Italian through and through: dates in the file list, and
// column headings wide enough for their Italian words.
#include "ModalHelper.h"
#include "TestSupport.h"

#include "common/FileDialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class TestFileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void detailViewShowsItalianDatesAndWholeHeadings()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("verbale.pdf")), "verbale");
        QFile file(dir.filePath(QStringLiteral("verbale.pdf")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(
            file.setFileTime(QDateTime(QDate(2026, 12, 10), QTime(9, 5)), QFileDevice::FileModificationTime));
        file.close();

        QString date;
        QStringList cut;
        const auto ran = Modal::whenShown<QFileDialog>([&](QFileDialog *dialog) {
            dialog->setDirectory(dir.path());
            dialog->setViewMode(QFileDialog::Detail);
            auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
            QElapsedTimer clock;
            clock.start();
            while (view->model()->rowCount(view->rootIndex()) < 1 && clock.elapsed() < 10000)
                QTest::qWait(20);
            QTest::qWait(100);
            date = view->model()->index(0, 3, view->rootIndex()).data().toString();
            const QHeaderView *header = view->header();
            for (int i = 0; i < header->count(); ++i) {
                const QString heading = header->model()->headerData(i, Qt::Horizontal).toString();
                if (header->sectionSizeHint(i) > header->sectionSize(i))
                    cut << heading;
            }
            dialog->reject();
        });
        FileDialogs::getOpenFileName(nullptr, QStringLiteral("Selezionare il file da allegare:"),
                                     QStringLiteral("Tutti i file (*.*)|*"));
        QVERIFY(*ran);
        QCOMPARE(date, QStringLiteral("10/12/2026 09:05"));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char(','))));
    }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
