#include "GuideWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace Guide {

namespace {

const QString kTitle = QStringLiteral("Guida all'utilizzo del software");
const QString kFamily = QStringLiteral("Liberation Sans");
const QColor kHeadingColour(0xDC, 0x14, 0x3C); // the crimson of the help window's topic titles
const QColor kTextColour(0x20, 0x20, 0x20);
constexpr double kMarginMm = 20;
constexpr double kFooterMm = 10;

QTextCharFormat font(double points, bool bold, const QColor &colour)
{
    QTextCharFormat f;
    f.setFontFamilies({kFamily});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setForeground(colour);
    return f;
}

void addBlock(QTextCursor &cursor, const QString &text, const QTextBlockFormat &block,
              const QTextCharFormat &chars, bool first = false)
{
    if (first) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(chars);
    } else {
        cursor.insertBlock(block, chars);
    }
    cursor.insertText(text, chars);
}

void build(QTextDocument &doc, const QList<HelpTopic> &topics)
{
    QTextCursor cursor(&doc);

    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(180);
    addBlock(cursor, QStringLiteral("Corvalla"), centred, font(36, true, kHeadingColour), true);
    centred.setTopMargin(12);
    addBlock(cursor, kTitle, centred, font(20, false, kTextColour));

    QTextBlockFormat contentsHeading;
    contentsHeading.setTopMargin(60);
    contentsHeading.setBottomMargin(8);
    contentsHeading.setHeadingLevel(1);
    addBlock(cursor, QStringLiteral("Indice degli argomenti"), contentsHeading, font(14, true, kTextColour));
    QTextBlockFormat entry;
    entry.setLeftMargin(20);
    entry.setBottomMargin(4);
    for (qsizetype i = 0; i < topics.size(); ++i)
        addBlock(cursor, QStringLiteral("%1. %2").arg(i + 1).arg(topics[i].title), entry,
                 font(12, false, kTextColour));

    QTextBlockFormat heading;
    heading.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    heading.setBottomMargin(14);
    heading.setHeadingLevel(1);
    QTextBlockFormat paragraph;
    paragraph.setAlignment(Qt::AlignJustify);
    paragraph.setBottomMargin(8);
    paragraph.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    for (const HelpTopic &topic : topics) {
        addBlock(cursor, topic.title, heading, font(18, true, kHeadingColour));
        for (const QString &p : topic.paragraphs)
            addBlock(cursor, p, paragraph, font(11, false, kTextColour));
    }
}

} // namespace

bool write(const QString &path, const QList<HelpTopic> &topics, QString *error)
{
    const auto failed = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (topics.isEmpty())
        return failed(QStringLiteral("no help topics"));

    QPdfWriter writer(path);
    writer.setTitle(QStringLiteral("Corvalla - ") + kTitle);
    writer.setCreator(QStringLiteral("Corvalla"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm - kFooterMm / 2),
                                     QPageLayout::Millimeter));

    const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
    const double footer = kFooterMm / 25.4 * writer.resolution();
    const QSizeF body(area.width(), area.height() - footer);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer); // measure the text as it will be printed
    doc.setDocumentMargin(0);
    doc.setPageSize(body);
    build(doc, topics);

    QPainter painter;
    if (!painter.begin(&writer))
        return failed(QStringLiteral("cannot write %1").arg(path));
    const int pages = doc.pageCount();
    QFont footerFont(kFamily);
    footerFont.setPointSizeF(9);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        doc.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        if (page > 0) {
            painter.setFont(footerFont);
            painter.setPen(kTextColour);
            painter.drawText(
                QRectF(0, body.height(), body.width(), footer), Qt::AlignCenter,
                QStringLiteral("Corvalla - %1 - pagina %2 di %3").arg(kTitle).arg(page + 1).arg(pages));
        }
    }
    if (!painter.end())
        return failed(QStringLiteral("cannot write %1").arg(path));
    QFile written(path);
    if (!written.exists() || written.size() == 0)
        return failed(QStringLiteral("cannot write %1").arg(path));
    return true;
}

HelpTopic copiesTopic()
{
    return {QStringLiteral("Copie di sicurezza automatiche"),
            {QStringLiteral(
                 "Ogni volta che si apre il programma, alla prima comparsa del menu principale Corvalla "
                 "copia i dati, se sono cambiati dall'ultima copia, nella cartella \"Copie di "
                 "sicurezza\" dentro la cartella del programma: una cartella per ogni copia, con la "
                 "data e l'ora nel nome (AAAA-MM-GG_hh-mm-ss). Sono conservate le dieci copie più "
                 "recenti e l'ultima copia di ciascuno degli ultimi dodici mesi."),
             QStringLiteral(
                 "Per rimettere i dati di una copia, per esempio dopo un salvataggio sbagliato: chiudere "
                 "il programma, aprire la cartella della copia scelta e copiarne tutti i file e le "
                 "cartelle nella cartella del programma, sostituendo quelli presenti. Alla riapertura "
                 "il programma mostrerà i dati della copia.")}};
}

} // namespace Guide
