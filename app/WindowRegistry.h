#pragma once

#include <QWidget>

// The long-lived windows created at start-up, by class name, so that work areas can show the main
// menu again and the main menu can open the work areas. Start-up fills it; tests may fill it with
// the windows they build.
namespace Windows {

void add(QWidget *window); // registered under window->metaObject()->className()
QWidget *find(const char *className);
template <typename T> T *get()
{
    return qobject_cast<T *>(find(T::staticMetaObject.className()));
}
void clear();

} // namespace Windows
