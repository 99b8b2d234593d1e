#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <atomic>

// The automatic copies of the data: once a run, the data as the user last left it goes into
// "Copie di sicurezza/<AAAA-MM-GG_hh-mm-ss>/" inside the program folder, so that yesterday's
// archive can be put back after a wrong save. A copy is made only when something changed since
// the newest one; a file unchanged since then is a hard link to the newer copy's file (a plain
// copy where the file system has no links), so an unchanged photo folder costs nothing.
namespace DataCopies {

// The folder of the copies, inside the program folder.
QString copiesFolder(const QString &programFolder);

// What the program copies, relative to the program folder: the member archive, every year file,
// the settings files, the receipt logo, the password file, and the photo and attachments folders.
QStringList dataFiles(const QString &programFolder);

struct Result
{
    enum class Outcome
    {
        Made,      // a new copy is in `folder`
        Unchanged, // nothing changed since the newest copy
        Failed,    // no copy: `reason` says why; nothing of it is left behind
        Cancelled  // the program ended first; nothing of it is left behind
    };
    Outcome outcome = Outcome::Unchanged;
    QString folder;
    QString reason;
};

// Makes a copy named after `now` when the data changed since the newest copy, then removes the
// copies that are no longer kept (pruneCopies). The copy is written into "<name>.parziale", renamed
// to its name once whole. The data is never changed; a record file is read
// under the program's own lock, so a save in another copy of the program is never copied halfway.
// `cancel`, when it becomes true, stops the copy between files.
Result makeCopy(const QString &programFolder, const QDateTime &now, const std::atomic_bool *cancel = nullptr);

// Removes the partial folders ("<name>.parziale") of copies that were cut short (the program
// killed, the machine switched off), which nothing would finish or count; a partial folder that a
// copy under way in another copy of the program is writing is left alone (its lock tells).
// makeCopy does this first. Returns the names of the folders removed.
QStringList removeAbandoned(const QString &programFolder);

// The copies kept: the 10 newest, and the newest of each of the last 12 months (counting the
// month of `now`). Returns the names of the copy folders removed.
QStringList pruneCopies(const QString &programFolder, const QDateTime &now);

// The message shown when an automatic copy failed.
QString failureMessage(const QString &reason);

} // namespace DataCopies
