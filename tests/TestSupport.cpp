#include "TestSupport.h"

#include "app/Application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

void corvallaTestInit()
{
    Corvalla::initApplication();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}
