#pragma once

#include <QtGlobal>
#include <atomic>

// How far a long read has come, shared between the thread that reads and the window that shows
// it, and the user's wish to stop it.
struct ReadProgress
{
    std::atomic<qint64> done{0};  // records read
    std::atomic<qint64> total{0}; // records to read (known once the file is open)
    std::atomic<bool> cancelled{false};

    // The progress of the long work running on this thread, if any: scans of a record archive
    // report to it and stop, failing, once it is cancelled.
    static ReadProgress *current();

    // Makes `progress` the current one of this thread while the scope lasts.
    class Scope
    {
    public:
        explicit Scope(ReadProgress *progress);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        ReadProgress *m_previous;
    };
};
