#pragma once

#include <QString>

// Advisory locks between copies of the program working on the same folder.
namespace FileLock {

// Takes flock() `operation` (LOCK_SH or LOCK_EX) on `fd` without ever blocking for good: tries,
// and retries with short pauses for about two seconds (another copy holds a lock only for the
// moment of one read or write; waiting longer means it is stuck, and the user is told rather than
// left with a frozen window). A file system that cannot lock at all (some network shares) counts
// as locked, as the program always worked there before it locked its files. False, with errno
// set, when the lock could not be had.
bool take(int fd, int operation);

// An exclusive lock on a folder for as long as the object lives. Files that are replaced by a
// rename (the settings files) are locked through their folder, since a lock on the file itself
// would stay with the replaced copy. A folder that cannot be opened is not locked and not held
// against the caller (the write that follows reports the real fault).
class FolderLock
{
public:
    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // False when another copy of the program held the folder for too long.
    bool isHeld() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = true;
};

} // namespace FileLock
