#include "TestSupport.h"

#include "PdfText.h"
#include "members/MemberSheetPage.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Reports;

namespace {
constexpr double kMargin = 10.0; // mm

QImage solid(int w, int h, const QColor &c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// Bounding box, in mm, of the pixels close to pure red.
QRectF redArea(const QImage &image, double dpi)
{
    int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
                x0 = qMin(x0, x);
                y0 = qMin(y0, y);
                x1 = qMax(x1, x);
                y1 = qMax(y1, y);
            }
        }
    }
    if (x1 < 0)
        return QRectF();
    const double mm = 25.4 / dpi;
    return QRectF(x0 * mm, y0 * mm, (x1 - x0 + 1) * mm, (y1 - y0 + 1) * mm);
}

bool darkPixelIn(const QImage &image, double dpi, const QRectF &mm)
{
    const double px = dpi / 25.4;
    for (int y = qRound(mm.top() * px); y < qRound(mm.bottom() * px); ++y)
        for (int x = qRound(mm.left() * px); x < qRound(mm.right() * px); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

Member::Record sheetWithDistinctValues()
{
    Member::Record r;
    for (int i = 0; i < Member::kSheetFieldCount; ++i)
        r[i] = QStringLiteral("  Valore%1[%2]  ").arg(i).arg(Member::fieldName(i).mid(3));
    r[Member::Sesso] = QStringLiteral("M");
    return r;
}
} // namespace

class TestMemberSheetPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    // Every one of the 26 values prints, trimmed and literally, inside its own value box, under its
    // caption. Checked on the words of the PDF, so the font, position and clipping all take part.
    void everyValueLandsInItsBox()
    {
        const Member::Record sheet = sheetWithDistinctValues();
        PreparedReport r;
        QString error;
        QVERIFY2(MemberSheetPage::prepare(sheet, solid(300, 200, Qt::red), &r, &error), qPrintable(error));
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.pageSizeMm().toSize(), QSize(210, 297));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("scheda.pdf"));
        QVERIFY2(renderPdf(r, pdf, &error), qPrintable(error));
        bool ok = false;
        const QList<PdfText::Word> words = PdfText::words(pdf, &ok);
        QVERIFY2(ok, "pdftotext could not read the sheet");

        // The head: name centred in the title bar.
        const QRectF titleBar(kMargin + 1, kMargin + 1, 188, 8);
        for (int i = 0; i < Member::kSheetFieldCount; ++i) {
            const QString name = Member::fieldName(i);
            const QString expected = sheet[i].trimmed();
            QRectF box;
            if (i == Member::Tiratore) {
                box = titleBar;
            } else {
                for (const MemberSheetPage::FieldBox &b : MemberSheetPage::fieldBoxes())
                    if (QLatin1String(b.field) == name)
                        box = QRectF(kMargin + b.left, kMargin + b.top + 5, b.width, 6);
            }
            QVERIFY2(!box.isNull(), qPrintable(name));
            bool here = false;
            for (const PdfText::Word &w : words) {
                if (w.text != expected)
                    continue;
                QVERIFY2(box.contains(w.box),
                         qPrintable(QStringLiteral("%1 prints outside its box").arg(name)));
                here = true;
            }
            QVERIFY2(here, qPrintable(QStringLiteral("%1 (%2) is not on the page").arg(name, expected)));
        }

        // Captions sit on their bars; the practitioner's rows repeat three captions.
        const QString text = PdfText::text(pdf);
        QCOMPARE(text.count(QStringLiteral("LUOGO DI NASCITA")), 2);
        QCOMPARE(text.count(QStringLiteral("DATA DI NASCITA")), 2);
        QCOMPARE(text.count(QStringLiteral("INDIRIZZO")), 2);
        QVERIFY(text.contains(QStringLiteral("QUOTA: €")));
        QVERIFY(text.contains(QStringLiteral("DATA DI SCADENZA CERTIFICATO MEDICO")));
    }

    // A note longer than its box is cut at the box's right edge and never runs onto a second line.
    void longNoteIsCutAtItsBox()
    {
        Member::Record sheet;
        sheet[Member::Note] = QString(400, QLatin1Char('W'));
        PreparedReport r;
        QVERIFY(MemberSheetPage::prepare(sheet, QImage(), &r));
        const double dpi = 200;
        const QImage page = renderPage(r, 0, dpi);
        const double boxTop = kMargin + 265 + 5, boxBottom = boxTop + 6;
        const double textRight = kMargin + 1 + 1 + 186; // value text of the note
        const double boxRight = kMargin + 1 + 188;
        const QRectF justInside(textRight - 3, boxTop + 1.2, 2.8, 3.6);
        const QRectF pastTheText(textRight + 0.2, boxTop + 1.2, boxRight - textRight - 0.4, 3.6);
        const QRectF belowTheBox(kMargin, boxBottom + 0.3, 190, 297 - boxBottom - 0.3);
        QVERIFY2(darkPixelIn(page, dpi, justInside), "the note does not reach the edge of its box");
        QVERIFY2(!darkPixelIn(page, dpi, pastTheText), "the note runs past its box");
        QVERIFY2(!darkPixelIn(page, dpi, belowTheBox), "the note wraps onto another line");
    }

    // The photo keeps its proportions and is centred in the 188 x 140 mm box.
    void photoFitsItsBox_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QRectF>("expected"); // mm on the page
        const double left = kMargin + 1, top = kMargin + 11;
        QTest::newRow("wider: full width, centred vertically")
            << QSize(400, 100) << QRectF(left, top + (140 - 47) / 2.0, 188, 47);
        QTest::newRow("taller: full height, centred horizontally")
            << QSize(100, 400) << QRectF(left + (188 - 35) / 2.0, top, 35, 140);
        QTest::newRow("same proportions: the whole box") << QSize(188, 140) << QRectF(left, top, 188, 140);
        QTest::newRow("small photo grows to fit")
            << QSize(40, 30) << QRectF(left + (188 - 140 * 4 / 3.0) / 2, top, 140 * 4 / 3.0, 140);
        QTest::newRow("large photo is reduced")
            << QSize(6000, 1500) << QRectF(left, top + (140 - 47) / 2.0, 188, 47);
    }
    void photoFitsItsBox()
    {
        QFETCH(QSize, photo);
        QFETCH(QRectF, expected);
        PreparedReport r;
        QVERIFY(
            MemberSheetPage::prepare(Member::Record(), solid(photo.width(), photo.height(), Qt::red), &r));
        const double dpi = 100;
        const QRectF area = redArea(renderPage(r, 0, dpi), dpi);
        const double tolerance = 25.4 / dpi + 0.05;
        QVERIFY2(qAbs(area.left() - expected.left()) <= tolerance &&
                     qAbs(area.top() - expected.top()) <= tolerance &&
                     qAbs(area.right() - expected.right()) <= tolerance &&
                     qAbs(area.bottom() - expected.bottom()) <= tolerance,
                 qPrintable(QStringLiteral("photo drawn at %1,%2 %3x%4 mm")
                                .arg(area.left())
                                .arg(area.top())
                                .arg(area.width())
                                .arg(area.height())));
    }

    // The three small deviations of the design: the note caption and value, the profession value,
    // the profession and practitioner captions.
    void designDeviations()
    {
        Report report(MemberSheetPage::design());
        auto box = [&](const char *name) {
            const ObjectDesign *o = report.object(QString::fromLatin1(name));
            return o ? QRectF(o->left, o->top, o->width, o->height) : QRectF();
        };
        QCOMPARE(box("titNote"), QRectF(2, 265.6, 185.8, 3.6));
        QCOMPARE(box("txtNote"), QRectF(2, 271, 186, 4));
        QCOMPARE(box("txtProfessione"), QRectF(2, 201, 89.9, 4));
        QCOMPARE(box("titProfessione"), QRectF(2, 196, 89.8, 3.6));
        QCOMPARE(box("titArmi"), QRectF(2, 238, 89.8, 3.6));
        QCOMPARE(box("txtArmi"), QRectF(2, 243.4, 90, 4));
        QCOMPARE(box("txtSesso"), QRectF(96, 159.4, 14, 4));
        QVERIFY(report.object(QStringLiteral("txtSesso"))->alignment & Qt::AlignHCenter);
    }
};

QTEST_MAIN(TestMemberSheetPage)
#include "tst_member_sheet_page.moc"
