#pragma once

#include <QString>

// Why a read or a write of a file failed, in the user's words: the system's error number told in
// Italian. Every cause a message box gives comes from here, never the system's or the toolkit's
// own text (English, or "Errore sconosciuto" when the toolkit lost the number).
namespace SystemError {

// The cause of error number `number` (an errno value), an Italian sentence without the final full
// stop, such as "Spazio esaurito sul disco". A number the program has no words for is told by its
// value; 0 (a failure that left no number) says that the operation was not completed.
QString text(int number);

// A full disk, a disk quota reached or a file grown past its size limit: freeing space is the fix.
bool isDiskFull(int number);

// The advice for a full disk, in the words every message of the program uses, ending with what
// to repeat: "Lo spazio sul disco è esaurito: liberare spazio e ripetere " + `again` + ".".
QString diskFullAdvice(const QString &again);

// The advice under a message about a file that could not be written: the full-disk advice
// (`again` as above) when `number` says the disk is full, else to make sure of the privileges to
// write in the program folder.
QString writeAdvice(int number, const QString &again);

} // namespace SystemError
