#include "records/YearFile.h"

#include "common/ProgramFolder.h"
#include "common/TextUtil.h"

QString YearFile::pathFor(const QString &year)
{
    return programFolder() + trimBlanks(year) + QStringLiteral(".ric");
}

bool YearFile::read(qint64 index, Receipt::Record &record, QString *error) const
{
    QByteArray bytes;
    if (!m_archive.readBytes(index, bytes, error))
        return false;
    record = Receipt::decode(bytes);
    return true;
}
