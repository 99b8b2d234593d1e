#include "TestSupport.h"

#include "../members/MemberFixtures.h"
#include "ModalHelper.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTiratori.h"
#include "reports/Report.h"
#include "reports/ReportPreview.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace Reports;

namespace {
struct Shown
{
    MsgBox::Kind kind;
    QString text;
};

const char *const kPreviewFailure =
    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
    "Si consiglia di ridurre le dimensioni della foto.";
const char *const kPrintFailure = "Attenzione: la stampa non è andata a buon fine.\n\r\n\rSi consiglia di "
                                  "ridurre le dimensioni della foto.";

QImage testPhoto()
{
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(QColor(200, 30, 30));
    return photo;
}

// The window over `parent`, given the sheet to print when `parent` is the member sheet.
MemberSheetDialog *makeWindow(bool preview, QWidget *parent)
{
    MemberSheetDialog *w = preview ? static_cast<MemberSheetDialog *>(new TfrmAnteprimaTiratori(parent))
                                   : new TfrmStampaTiratori(parent);
    w->setSheet(qobject_cast<TfrmTiratori *>(parent));
    return w;
}
} // namespace

class TestMemberSheetPrint : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TfrmTiratori *m_sheet = nullptr;
    QList<Shown> m_boxes;
    QList<Destination> m_destinations;
    QList<PreparedReport> m_reports;
    bool m_outputSucceeds = true;

    // The user's round: the sheet's own button opens the window, whose main button is pressed.
    // Returns the photo the window took from the sheet.
    QImage throughTheSheet(bool preview)
    {
        QImage photo;
        auto pressed = Modal::whenShown<MemberSheetDialog>([&photo](MemberSheetDialog *w) {
            photo = w->photo();
            w->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click();
        });
        QTest::mouseClick(m_sheet->findChild<QWidget *>(preview ? QStringLiteral("cmdAnteprima")
                                                                : QStringLiteral("cmdStampa")),
                          Qt::LeftButton);
        if (!*pressed)
            qWarning("the print window did not open");
        return photo;
    }

    // Opens the window and presses its main button.
    bool runMainButton(MemberSheetDialog *window)
    {
        auto pressed = Modal::whenShown<MemberSheetDialog>(
            [](MemberSheetDialog *w) { w->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click(); });
        window->exec();
        return *pressed;
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        m_sheet = new TfrmTiratori;
        m_sheet->show();
        MsgBox::setTestHook([this](MsgBox::Kind kind, const QString &text) {
            m_boxes.append({kind, text});
            return MsgBox::Answer::Cancel;
        });
    }

    void cleanupTestCase()
    {
        MsgBox::setTestHook(nullptr);
        setOutputHook(nullptr);
        delete m_sheet;
    }

    void init()
    {
        m_boxes.clear();
        m_destinations.clear();
        m_reports.clear();
        m_outputSucceeds = true;
        setOutputHook([this](const PreparedReport &r, Destination d, QString *error) {
            m_destinations.append(d);
            m_reports.append(r);
            if (!m_outputSucceeds && error)
                *error = QStringLiteral("guasto di prova");
            return m_outputSucceeds;
        });
        QTest::mouseClick(m_sheet->findChild<QWidget *>(QStringLiteral("cmdNuovo")), Qt::LeftButton);
        MemberFixtures::loadPhoto(m_sheet, testPhoto(), m_dir.path());
    }

    void windowsAreDescribedAsTheirCallerExpects_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("mainButton");
        QTest::newRow("preview") << true << " Anteprima di stampa"
                                 << "Mostra anteprima";
        QTest::newRow("print") << false << " Stampa scheda"
                               << "Stampa";
    }
    void windowsAreDescribedAsTheirCallerExpects()
    {
        QFETCH(bool, preview);
        QFETCH(QString, caption);
        QFETCH(QString, mainButton);
        std::unique_ptr<MemberSheetDialog> w(makeWindow(preview, m_sheet));
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("btnStampa"))->text(), mainButton);
        QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->text(),
                 QStringLiteral("Annulla"));
    }

    // What prints is what the sheet shows now, saved or not, trimmed, with the sheet's photo.
    void mainButtonPrintsTheSheetAsShown_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << true;
        QTest::newRow("print") << false;
    }
    void mainButtonPrintsTheSheetAsShown()
    {
        QFETCH(bool, preview);
        // Unsaved values with blanks around them (the sex field holds one character).
        for (int i = 0; i < Member::kSheetFieldCount; ++i)
            m_sheet->field(Member::fieldName(i))
                ->setText(i == Member::Sesso ? QStringLiteral("F") : QStringLiteral(" V%1 [X] ").arg(i));
        const QImage photo = throughTheSheet(preview);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(m_destinations, QList<Destination>{preview ? Destination::Preview : Destination::Printer});
        const PreparedReport &r = m_reports.first();
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.orientation, QPageLayout::Portrait);
        for (int i = 0; i < Member::kSheetFieldCount; ++i) {
            const PlacedObject *o = r.find(0, Member::fieldName(i));
            QVERIFY2(o, qPrintable(Member::fieldName(i)));
            QCOMPARE(o->design.text,
                     i == Member::Sesso ? QStringLiteral("F") : QStringLiteral("V%1 [X]").arg(i));
        }
        QCOMPARE(r.find(0, QStringLiteral("imgLogo"))->picture.pixelColor(10, 10), QColor(200, 30, 30));
        QCOMPARE(photo.size(), QSize(400, 300));
    }

    // A sheet not yet shown has no photo.
    void fallbackPictureWhenTheSheetHasNoPhoto()
    {
        TfrmTiratori sheet;
        QVERIFY(sheet.photo().isNull());
        std::unique_ptr<MemberSheetDialog> w(makeWindow(false, &sheet));
        QVERIFY(runMainButton(w.get()));
        QCOMPARE(w->photo().size(), QSize(297, 184));
        QCOMPARE(m_reports.first().find(0, QStringLiteral("imgLogo"))->picture.size(), QSize(297, 184));
    }

    // Any failure shows the window's own warning; whichever button is pressed, the window closes.
    void failureShowsTheWarningAndCloses_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("message");
        QTest::newRow("preview") << true << QString::fromUtf8(kPreviewFailure);
        QTest::newRow("print") << false << QString::fromUtf8(kPrintFailure);
    }
    void failureShowsTheWarningAndCloses()
    {
        QFETCH(bool, preview);
        QFETCH(QString, message);
        m_outputSucceeds = false;
        std::unique_ptr<MemberSheetDialog> w(makeWindow(preview, m_sheet));
        QVERIFY(runMainButton(w.get()));
        QVERIFY(!w->isVisible());
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].kind, MsgBox::Kind::Warning);
        QCOMPARE(m_boxes[0].text, message);

        // A window given no sheet to print fails the same way.
        m_boxes.clear();
        m_outputSucceeds = true;
        QWidget stranger;
        std::unique_ptr<MemberSheetDialog> lost(makeWindow(preview, &stranger));
        QVERIFY(runMainButton(lost.get()));
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].text, message);
    }

    void annullaClosesWithoutPrinting()
    {
        std::unique_ptr<MemberSheetDialog> owned(makeWindow(true, m_sheet));
        MemberSheetDialog &w = *owned;
        auto pressed = Modal::whenShown<MemberSheetDialog>(
            [](MemberSheetDialog *d) { d->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click(); });
        w.exec();
        QVERIFY(*pressed);
        QVERIFY(m_destinations.isEmpty());
        QVERIFY(m_boxes.isEmpty());
    }

    // Without the seam the real preview window opens over the window, zooms, and closes.
    void realPreviewWindowOpens()
    {
        setOutputHook(nullptr);
        m_sheet->field(QStringLiteral("txtTiratore"))->setText(QStringLiteral("ROSSI MARIO"));
        std::unique_ptr<MemberSheetDialog> owned(makeWindow(true, m_sheet));
        MemberSheetDialog &w = *owned;
        bool sawPreview = false;
        double before = 0, after = 0;
        QString pages;
        auto shown = Modal::whenShown<ReportPreview>([&](ReportPreview *p) {
            sawPreview = true;
            pages = p->findChild<QLabel *>(QStringLiteral("lblPagine"))->text();
            before = p->zoom();
            p->findChild<QToolButton *>(QStringLiteral("btnIngrandisci"))->click();
            after = p->zoom();
            p->findChild<QToolButton *>(QStringLiteral("btnChiudi"))->click();
        });
        QVERIFY(runMainButton(&w));
        QVERIFY(*shown);
        QVERIFY(sawPreview);
        QCOMPARE(pages, QStringLiteral("1 pagina"));
        QVERIFY(after > before);
        QVERIFY(!w.isVisible());
        QVERIFY(m_boxes.isEmpty());
    }
};

QTEST_MAIN(TestMemberSheetPrint)
#include "tst_member_sheet_print.moc"
