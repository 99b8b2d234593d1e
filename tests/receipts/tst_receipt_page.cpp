// The receipt page: the two copies of the design, what fills them, where the texts land on the
// printed sheet.
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "receipts/AmountInWords.h"
#include "receipts/ReceiptLogo.h"
#include "receipts/ReceiptPage.h"
#include "reports/PdfText.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Reports;
using Receipt::Field;

namespace {

QImage solid(int w, int h, const QColor &c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A receipt whose every field is a distinct text with blanks around it.
Receipt::Record distinctReceipt()
{
    Receipt::Record r;
    for (int i = 0; i < Receipt::FieldCount; ++i)
        r[i] = QStringLiteral("  V%1  ").arg(i);
    r[Receipt::Importo] = QStringLiteral(" 120 ");
    r[Receipt::Cents] = QStringLiteral("50");
    r[Receipt::ImpLettere] = QStringLiteral(" CENTOVENTI ");
    r[Receipt::CentLettere] = QStringLiteral("50 ");
    return r;
}

QRectF boxOf(const ObjectDesign &o)
{
    return QRectF(o.left, o.top, o.width, o.height);
}

} // namespace

class TestReceiptPage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }

    // The receiver's copy is the payer's moved down by 155 mm, except the amount-in-words row
    // (156 mm), the figures and the stamp texts, and the few objects with a left, height, name or
    // text of their own; its light blue boxes
    // are snow white. The scissors and the cut line are on the sheet once.
    void lowerCopyIsTheUpperMovedDown()
    {
        const PageDesign &d = ReceiptPage::design();
        QCOMPARE(d.name, QStringLiteral("repDocumento"));
        QCOMPARE(d.orientation, QPageLayout::Portrait);
        QCOMPARE(d.margins, QMarginsF());
        QCOMPARE(int(d.objects.size()), 52 + 50);

        // Renamed twins, as the receiver's copy names them.
        const QHash<QString, QString> renamed = {
            {"lineTop", "Line1"},        {"lineLeft", "Line2"},      {"lineRight", "Line3"},
            {"Shape4", "Shape5"},        {"Memo13", "Memo15"},       {"shpNumFatt", "Shape6"},
            {"Shape12", "Shape13"},      {"shpContratto", "Shape7"}, {"Memo5", "Memo27"},
            {"Memo3", "Memo30"},         {"Memo2", "Memo31"},        {"Memo19", "Memo35"},
            {"Memo16", "Memo33"},        {"Picture2", "Picture7"},   {"Shape1", "Shape11"},
            {"titUfficioTer", "Memo23"}, {"Memo6", "Memo28"},        {"Memo17", "Memo37"},
            {"Memo4", "Memo38"},         {"Memo21", "Memo40"},       {"icoBollo", "Shape8"},
            {"titBollo", "Memo18"},      {"Memo11", "Memo22"},       {"Memo7", "Memo8"},
            {"Picture4", "Picture5"},    {"Shape2", "Shape9"},       {"Picture1", "Picture6"},
            {"Shape3", "Shape10"},       {"Memo10", "Memo9"},        {"lineFirma", "Line4"},
            {"Memo12", "Memo14"},
        };
        const QHash<QString, double> shift = {
            {"Picture7", 156}, {"Shape11", 156},  {"txtImpLettere_B", 156}, {"Memo23", 156},
            {"Memo18", 155.4}, {"Memo22", 155.4}, {"txtImporto_B", 155.2},  {"txtCents_B", 155.2}};
        const QHash<QString, double> left = {
            {"txtImpLettere_B", 26}, {"Memo18", 15.5}, {"Memo22", 15.5}, {"Picture5", 119.5}};
        const QHash<QString, double> height = {{"txtData_B", 6}};
        const QStringList sheetOnly = {QStringLiteral("Picture3"), QStringLiteral("Memo1")};

        Report report(d);
        int twins = 0;
        for (const ReceiptPage::PageObject &p : ReceiptPage::objects()) {
            const QString name = QString::fromLatin1(p.name);
            const ObjectDesign *upper = report.object(name);
            QVERIFY2(upper, qPrintable(name));
            QCOMPARE(boxOf(*upper), QRectF(p.left, p.top, p.width, p.height));
            if (sheetOnly.contains(name)) {
                QVERIFY(!p.lowerName);
                continue;
            }
            const QString twinName = renamed.value(name, name + QStringLiteral("_B"));
            const ObjectDesign *twin = report.object(twinName);
            QVERIFY2(twin, qPrintable(twinName));
            ++twins;
            QCOMPARE(twin->kind, upper->kind);
            QCOMPARE(twin->top, upper->top + shift.value(twinName, 155));
            QCOMPARE(twin->left, left.value(twinName, upper->left));
            QCOMPARE(twin->width, upper->width);
            QCOMPARE(twin->height, height.value(twinName, upper->height));
            QCOMPARE(twin->font.pointSize, upper->font.pointSize);
            QCOMPARE(twin->font.bold, upper->font.bold);
            QCOMPARE(twin->font.italic, upper->font.italic);
            QCOMPARE(twin->alignment, upper->alignment);
            QCOMPARE(twin->fill, upper->fill == Colour::AliceBlue ? Colour::Snow : upper->fill);
            if (twinName == QLatin1String("Memo15"))
                QCOMPARE(twin->text, QStringLiteral("COPIA PER IL RICEVENTE"));
            else if (twinName == QLatin1String("Memo18"))
                QCOMPARE(twin->text, QStringLiteral("BOLLO APPOSTO SULL'ORIGINALE"));
            else
                QCOMPARE(twin->text, upper->text);
        }
        QCOMPARE(twins, 50);
        QCOMPARE(report.object(QStringLiteral("Memo1"))->text, QString(100, QLatin1Char('-')));
        // Captions are bold italic; filled texts are not.
        QVERIFY(report.object(QStringLiteral("Memo27"))->font.italic);
        QVERIFY(!report.object(QStringLiteral("txtPagatore_B"))->font.italic);
    }

    // Both copies get the same texts, each field trimmed, with the prefixes of the number and the
    // date and the words followed by "/" and the cents copy.
    void bothCopiesGetTheReceiptTexts()
    {
        const Receipt::Record receipt = distinctReceipt();
        PreparedReport r;
        QString error;
        QVERIFY2(ReceiptPage::prepare(receipt, solid(297, 184, Qt::red), &r, &error), qPrintable(error));
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.pageSizeMm().toSize(), QSize(210, 297));

        QHash<QString, QString> expected = {
            {"txtNumRic", "Ricevuta n. V0"},
            {"txtData", "Data:  V1"},
            {"txtImporto", "120"},
            {"txtCents", "50"},
            {"txtImpLettere", "CENTOVENTI/50"},
            {"txtRicevente01", "V7"},
            {"txtRicevente02", "V8"},
            {"txtRicevente03", "V9"},
            {"txtRicevente04", "V10"},
            {"txtPagatore", "V11"},
            {"txtCodFisc", "V12"},
            {"txtSport", "V13"},
            {"txtDal", "V14"},
            {"txtAl", "V15"},
            {"txtPraticante", "V16"},
            {"txtLuogoNasc", "V17"},
            {"txtDataNasc", "V18"},
            {"txtIndirizzo", "V19"},
        };
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            for (const QString &name : {it.key(), it.key() + QStringLiteral("_B")}) {
                const PlacedObject *o = r.find(0, name);
                QVERIFY2(o, qPrintable(name));
                QCOMPARE(o->design.text, it.value());
            }
        }
        QCOMPARE(r.find(0, QStringLiteral("imgLogo"))->picture.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(r.find(0, QStringLiteral("imgLogo_B"))->picture.pixelColor(5, 5), QColor(Qt::red));
        for (const char *picture :
             {"Picture1", "Picture2", "Picture3", "Picture4", "Picture5", "Picture6", "Picture7"})
            QVERIFY2(!r.find(0, QLatin1String(picture))->picture.isNull(), picture);

        // On the printed sheet every text lies in its own box, in both copies.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("ricevuta.pdf"));
        QVERIFY2(renderPdf(r, pdf, &error), qPrintable(error));
        bool ok = false;
        const QList<PdfText::Word> words = PdfText::words(pdf, &ok);
        QVERIFY2(ok, "pdftotext could not read the receipt");
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            for (const QString &name : {it.key(), it.key() + QStringLiteral("_B")}) {
                const QRectF box = r.find(0, name)->box.adjusted(-0.3, -0.6, 0.3, 0.6);
                QStringList found;
                for (const PdfText::Word &w : words)
                    if (box.contains(w.box))
                        found << w.text;
                QCOMPARE(found.join(QLatin1Char(' ')), it.value().simplified());
            }
        }
        const QString text = PdfText::text(pdf);
        for (const char *fixed :
             {"COPIA PER IL PAGATORE", "COPIA PER IL RICEVENTE", "BOLLO VIGENTE",
              "BOLLO APPOSTO SULL'ORIGINALE", "Riceviamo da", "per l'attività sportiva"}) {
            QVERIFY2(text.contains(QString::fromUtf8(fixed)), fixed);
        }
        QCOMPARE(text.count(QStringLiteral("(OVE RICHIESTO)")), 2);
        QCOMPARE(text.count(QStringLiteral("TOTALE :")), 2);
        QCOMPARE(text.count(QStringLiteral("(IN LETTERE)")), 2);
        QCOMPARE(text.count(QStringLiteral("(FIRMA)")), 2);
    }

    // An unsaved, empty receipt prints empty boxes; the words box shows only the slash and cents.
    void emptyReceiptPrintsEmptyBoxes()
    {
        Receipt::Record receipt;
        receipt[Receipt::Cents] = QStringLiteral("00");
        receipt[Receipt::CentLettere] = QStringLiteral("00");
        PreparedReport r;
        QVERIFY(ReceiptPage::prepare(receipt, ReceiptLogo::defaultLogo(), &r));
        QCOMPARE(r.find(0, QStringLiteral("txtImpLettere"))->design.text, QStringLiteral("/00"));
        QCOMPARE(r.find(0, QStringLiteral("txtNumRic_B"))->design.text, QStringLiteral("Ricevuta n. "));
        QCOMPARE(r.find(0, QStringLiteral("txtPagatore"))->design.text, QString());
    }

    // The amount in words is never cut on paper: a long one prints whole, in a smaller size, inside
    // its box in both copies. Other texts keep half a millimetre from their box's left edge, and
    // the cut line ends at its box's right edge.
    void printedTextsStayWholeAndInsideTheirBoxes()
    {
        Receipt::Record receipt;
        receipt[Receipt::Importo] = QStringLiteral("54454454");
        receipt[Receipt::ImpLettere] = amountInWords(54454454);
        receipt[Receipt::CentLettere] = QStringLiteral("50");
        receipt[Receipt::Pagatore] = QStringLiteral("Rossi");
        PreparedReport r;
        QString error;
        QVERIFY(ReceiptPage::prepare(receipt, QImage(), &r, &error));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("grande.pdf"));
        QVERIFY2(renderPdf(r, pdf, &error), qPrintable(error));
        bool ok = false;
        const QList<PdfText::Word> words = PdfText::words(pdf, &ok);
        QVERIFY(ok);
        const auto wordsIn = [&](const QString &name) {
            const QRectF box = r.find(0, name)->box.adjusted(-0.05, -0.6, 0.05, 0.6);
            QList<PdfText::Word> in;
            for (const PdfText::Word &w : words)
                if (box.intersects(w.box))
                    in << w;
            return in;
        };
        const QString whole = amountInWords(54454454) + QStringLiteral("/50");
        for (const char *name : {"txtImpLettere", "txtImpLettere_B"}) {
            const QList<PdfText::Word> in = wordsIn(QLatin1String(name));
            QCOMPARE(in.size(), 1);
            QCOMPARE(in[0].text, whole);
            QVERIFY2(r.find(0, QLatin1String(name))->box.contains(in[0].box.adjusted(0, 0.6, 0, -0.6)), name);
        }
        const QList<PdfText::Word> payer = wordsIn(QStringLiteral("txtPagatore"));
        QCOMPARE(payer.size(), 1);
        const double gap = payer[0].box.left() - r.find(0, QStringLiteral("txtPagatore"))->box.left();
        QVERIFY2(gap > 0.3 && gap < 0.8, qPrintable(QString::number(gap)));
        const PlacedObject *cut = r.find(0, QStringLiteral("Memo1"));
        const QList<PdfText::Word> dashes = wordsIn(QStringLiteral("Memo1"));
        QVERIFY(!dashes.isEmpty());
        for (const PdfText::Word &w : dashes)
            QVERIFY2(w.box.right() <= cut->box.right() + 0.05, qPrintable(QString::number(w.box.right())));
    }

    // A payer longer than its box stays on one line, cut at the box's right edge.
    void longPayerStaysOnOneLine()
    {
        Receipt::Record receipt;
        receipt[Receipt::Pagatore] = QString(50, QLatin1Char('W'));
        PreparedReport r;
        QVERIFY(ReceiptPage::prepare(receipt, QImage(), &r));
        const PlacedObject *payer = r.find(0, QStringLiteral("txtPagatore"));
        QCOMPARE(payer->lines.size(), 1);
        const double dpi = 200, px = dpi / 25.4;
        const QImage page = renderPage(r, 0, dpi);
        auto darkIn = [&](const QRectF &mm) {
            for (int y = qRound(mm.top() * px); y < qRound(mm.bottom() * px); ++y)
                for (int x = qRound(mm.left() * px); x < qRound(mm.right() * px); ++x)
                    if (qGray(page.pixel(x, y)) < 128)
                        return true;
            return false;
        };
        const QRectF box = payer->box; // 42, 41, 88 x 4.4
        QVERIFY2(darkIn(QRectF(box.right() - 3, box.top() + 0.5, 2.8, 3)),
                 "the payer does not reach its edge");
        // Between the payer's box and the tax code caption, and below the line, nothing is drawn.
        QVERIFY2(!darkIn(QRectF(box.right() + 0.2, box.top() + 0.5, 0.6, 3)), "the payer runs past its box");
        QVERIFY2(!darkIn(QRectF(box.left() + 10, box.bottom() + 0.3, 60, 0.5)), "the payer wraps");
    }
};

QTEST_MAIN(TestReceiptPage)
#include "tst_receipt_page.moc"
