#pragma once

#include <QElapsedTimer>

#include <algorithm>

// The best of `runs` timings of `work`, in milliseconds: the least disturbed by the machine.
template <typename F> double bestOf(int runs, F &&work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
