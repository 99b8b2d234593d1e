// The printed guide Guida.pdf that the build writes, read back with poppler's tools.
#include "TestSupport.h"
#include "common/HelpTopics.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#ifndef CORVALLA_GUIDE_PDF
#error "CORVALLA_GUIDE_PDF must name the guide the build writes"
#endif

namespace {
QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first words of a text, as a run of words separated by single blanks.
QString firstWords(const QString &text, int n)
{
    return text.simplified().section(QLatin1Char(' '), 0, n - 1);
}
} // namespace

class tst_Guide : public QObject
{
    Q_OBJECT

    QString m_text; // the whole guide, words separated by single blanks
    QString m_info;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        const QString pdf = QStringLiteral(CORVALLA_GUIDE_PDF);
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        m_text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
        m_info = run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(!m_text.isEmpty());
    }

    void isOnA4()
    {
        QVERIFY2(m_info.contains(QRegularExpression(
                     QStringLiteral("Page size:\\s+59[56](\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))),
                 qPrintable(m_info));
        QVERIFY(m_info.contains(QStringLiteral("Corvalla - Guida all'utilizzo del software")));
    }

    // Every help topic, the general one first, each under its heading and with all its paragraphs.
    void holdsEveryTopicInOrder()
    {
        const QList<HelpTopic> topics = helpTopics();
        QCOMPARE(topics.size(), 7);
        QCOMPARE(topics.constFirst().title, QStringLiteral("Uno sguardo a Corvalla"));
        // After the contents page, the topics follow one another.
        qsizetype at = m_text.indexOf(QStringLiteral("7. ") + topics.constLast().title);
        QVERIFY(at > 0);
        for (const HelpTopic &topic : topics) {
            at = m_text.indexOf(topic.title, at);
            QVERIFY2(at >= 0, qPrintable(topic.title));
            for (const QString &paragraph : topic.paragraphs) {
                const QString start = firstWords(paragraph, 8);
                const qsizetype found = m_text.indexOf(start, at);
                QVERIFY2(found >= 0, qPrintable(topic.title + QStringLiteral(": ") + start));
                at = found;
            }
        }
        QVERIFY(m_text.contains(QStringLiteral("In sintesi, con Corvalla la segreteria dell'associazione")));
        QVERIFY(m_text.contains(QStringLiteral("pagina 2 di ")));
    }
};

QTEST_MAIN(tst_Guide)
#include "tst_guide.moc"
