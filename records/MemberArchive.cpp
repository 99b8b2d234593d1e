#include "records/MemberArchive.h"

#include "common/ProgramFolder.h"

#include <QFileInfo>

namespace MemberArchive {

QString filePath()
{
    return programFolder() + QStringLiteral("Archivio_Iscritti.pro");
}
QString photoFolder()
{
    return programFolder() + QStringLiteral("Anagrafica/");
}
QString photoPath(const QString &position)
{
    return photoFolder() + QStringLiteral("Scheda_Iscritto_") + position.trimmed() + QStringLiteral(".jpg");
}
QString attachmentsFolder()
{
    return programFolder() + QStringLiteral("Documenti_Allegati/");
}
QString attachmentPath(const QString &name)
{
    return attachmentsFolder() + name;
}

QString openableAttachment(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return QString();
    const QString path = attachmentPath(name);
    const QFileInfo file(path);
    if (file.exists()) {
        const QString folder = QFileInfo(attachmentsFolder()).canonicalFilePath() + QLatin1Char('/');
        if (!file.canonicalFilePath().startsWith(folder))
            return QString();
    }
    return path;
}

QString accessMessage()
{
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
        "programma.");
}

RecordArchive archive()
{
    return RecordArchive(filePath(), Member::layout());
}

qint64 count(QString *error)
{
    return archive().count(error);
}

bool read(qint64 index, Member::Record &record, QString *error)
{
    QByteArray bytes;
    if (!archive().readBytes(index, bytes, error))
        return false;
    record = Member::decode(bytes);
    return true;
}

bool write(qint64 index, const Member::Record &record, QString *error)
{
    return archive().writeBytes(index, Member::encode(record), error);
}

qint64 append(const Member::Record &record, QString *error)
{
    return archive().appendBytes(Member::encode(record), error);
}

bool scan(const std::function<bool(qint64 index, const char *record)> &visit, QString *error)
{
    return archive().scan(visit, error);
}

} // namespace MemberArchive
