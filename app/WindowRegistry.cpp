#include "app/WindowRegistry.h"

#include <QHash>
#include <QPointer>

namespace Windows {

namespace {
QHash<QByteArray, QPointer<QWidget>> &table()
{
    static QHash<QByteArray, QPointer<QWidget>> t;
    return t;
}
} // namespace

void add(QWidget *window)
{
    table().insert(window->metaObject()->className(), window);
}

QWidget *find(const char *className)
{
    return table().value(QByteArray(className)).data();
}

void clear()
{
    table().clear();
}

} // namespace Windows
