#pragma once

// Reading back printed PDF files with poppler's command-line tools (pdftotext, pdfinfo).

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace PdfText {

inline QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess p;
    p.start(program, arguments);
    const bool done = p.waitForFinished(60000);
    if (ok)
        *ok = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the whole file, laid out as on the page.
inline QString text(const QString &pdf, bool *ok = nullptr)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}, ok);
}

inline int pageCount(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

struct Word
{
    int page = 0; // 0-based
    QString text;
    QRectF box; // mm from the page's top-left corner
};

// Every word with its bounding box.
inline QList<Word> words(const QString &pdf, bool *ok = nullptr)
{
    const QString xhtml =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, ok);
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double mmPerPoint = 25.4 / 72.0;
    QList<Word> out;
    int page = -1;
    for (auto it = tag.globalMatch(xhtml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        Word w;
        w.page = page;
        w.text = m.captured(5)
                     .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                     .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                     .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                     .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                     .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        const double x1 = m.captured(3).toDouble(), y1 = m.captured(4).toDouble();
        w.box = QRectF(x0 * mmPerPoint, y0 * mmPerPoint, (x1 - x0) * mmPerPoint, (y1 - y0) * mmPerPoint);
        out.append(w);
    }
    return out;
}

} // namespace PdfText
