#pragma once

#include <QString>
#include <QStringList>

// Prepares a test process like the program prepares itself: resources, Italian locale and
// translations, fonts and the process-wide formats.
void corvallaTestInit();

// Records every message box shown through MsgBox and answers it; call answers in order.
// An unexpected box (no answer queued) is answered with the box's default and recorded too.
struct RecordedBox
{
    int kind = 0;
    QString text;
};
