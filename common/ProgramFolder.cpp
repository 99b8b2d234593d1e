#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

QString programFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    if (QCoreApplication::instance())
        return withSeparator(QCoreApplication::applicationDirPath());
    return withSeparator(QDir::currentPath());
}

void setProgramFolder(const QString &folder)
{
    overriddenFolder() = folder.isEmpty() ? QString() : withSeparator(QDir::fromNativeSeparators(folder));
}
