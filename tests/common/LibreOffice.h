#pragma once

// Reading an exported spreadsheet file back with a real spreadsheet program: LibreOffice converts
// it to CSV (UTF-8, comma-separated, every field quoted when needed), and the rows come back as
// texts.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace LibreOffice {

// RFC 4180 fields.
inline QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

// Converts `file` with LibreOffice in `workFolder` (its profile and the CSV go there) and returns
// the rows. On a failure *error says why and the result is empty.
inline QList<QStringList> readBack(const QString &file, const QString &workFolder, QString *error)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        *error = QStringLiteral("soffice not found: scripts/install-deps.sh installs libreoffice-calc-nogui");
        return {};
    }
    const QString out = QDir(workFolder).filePath(QStringLiteral("csv"));
    QProcess office;
    office.setProgram(soffice);
    office.setArguments(
        {QStringLiteral("--headless"), QStringLiteral("--norestore"),
         QStringLiteral("-env:UserInstallation=") +
             QUrl::fromLocalFile(QDir(workFolder).filePath(QStringLiteral("profilo"))).toString(),
         QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
         QStringLiteral("--outdir"), out, file});
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start();
    if (!office.waitForStarted()) {
        *error = QStringLiteral("LibreOffice did not start");
        return {};
    }
    if (!office.waitForFinished(300000)) {
        office.kill();
        office.waitForFinished();
        *error = QStringLiteral("LibreOffice did not finish the conversion in 5 minutes");
        return {};
    }
    QFile csv(QDir(out).filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".csv")));
    if (!csv.open(QIODevice::ReadOnly)) {
        *error = QString::fromLocal8Bit(office.readAll());
        return {};
    }
    return parseCsv(QString::fromUtf8(csv.readAll()));
}

} // namespace LibreOffice
