#pragma once

#include <QString>

// The folder that holds the program's executable, ending with a separator. Every data file and
// data folder of the program is named relative to it.
QString programFolder();

// Points the program at another folder (tests use a temporary one). A missing trailing separator
// is added.
void setProgramFolder(const QString &folder);
