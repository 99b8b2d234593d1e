#pragma once

#include "common/MsgBox.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Prepares a test process like the program prepares itself: resources, Italian locale and
// translations, fonts and the process-wide formats.
void corvallaTestInit();

class QWidget;

// Key by key, as a keyboard types it: plain keys for ASCII, the character itself otherwise.
void typeKeys(QWidget *widget, const QString &text);

// The whole file, or nothing when it cannot be read.
QByteArray readAll(const QString &path);
// Makes `bytes` the whole file, creating its folder when missing; a failure fails the calling test.
void writeFile(const QString &path, const QByteArray &bytes);
// A record file larger than the program reads at once (the size it reads on a thread of its own):
// blank (zero-filled) records of `recordSize` bytes, which take no room on the disk, then `tail`.
void writeHugeFile(const QString &path, int recordSize, const QByteArray &tail);

// While it lives, the calling thread's file permission checks hold even for root (the capabilities
// that bypass them are set aside), so that an unreadable file or a read-only folder means the same
// for every user running the tests.
class FilePermissionsEnforced
{
public:
    FilePermissionsEnforced();
    ~FilePermissionsEnforced();
    FilePermissionsEnforced(const FilePermissionsEnforced &) = delete;
    FilePermissionsEnforced &operator=(const FilePermissionsEnforced &) = delete;

private:
    quint32 m_saved[2] = {};
    bool m_changed = false;
};

// While it lives, files this process writes cannot grow past `bytes`, as on a full disk: a write
// beyond the limit fails (the signal that would end the process is ignored meanwhile).
// Runs copies of the test program itself in child mode, one per entry of `children` (the child
// mode's environment variables, added to this process's environment), all at once, and tells
// whether every one ended with exit code 0 within two minutes.
bool runChildrenAtOnce(const QList<QList<QPair<QString, QString>>> &children);

class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    quint64 m_saved = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// A small disk that fills up for real: a tmpfs of `bytes` mounted on a folder of its own for as long
// as the object lives. Mounting needs root (or the right to mount); where it is not permitted
// isMounted() is false and the calling test skips.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    // The folder of the disk, ending with a separator.
    QString path() const { return m_path + QLatin1Char('/'); }
    // Fills the disk with a file of its own until no more than `room` bytes are free.
    bool fill(qint64 room = 0);
    // The bytes still free.
    qint64 freeBytes() const;

private:
    QString m_path;
    bool m_mounted = false;
};

// Records every message box the windows show and presses OK (or Yes) on it.
class BoxRecorder
{
public:
    BoxRecorder()
    {
        MsgBox::setTestHook([this](MsgBox::Kind kind, const QString &text) {
            boxes.append({kind, text});
            return kind == MsgBox::Kind::Confirmation ? MsgBox::Answer::Yes : MsgBox::Answer::Ok;
        });
    }
    ~BoxRecorder() { MsgBox::setTestHook(nullptr); }
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    QStringList texts() const
    {
        QStringList out;
        for (const auto &b : boxes)
            out << b.second;
        return out;
    }

    QList<QPair<MsgBox::Kind, QString>> boxes;
};
