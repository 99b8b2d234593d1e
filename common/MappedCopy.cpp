#include "common/MappedCopy.h"

#include <atomic>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <mutex>

namespace {

// Where a bus error during a copy on this thread goes back to; null outside a copy.
thread_local sigjmp_buf *t_copying = nullptr;
struct sigaction g_before; // the handling the program had before, for every other bus error

void onBusError(int signal, siginfo_t *info, void *)
{
    if (sigjmp_buf *back = t_copying) {
        t_copying = nullptr;
        siglongjmp(*back, 1);
    }
    // Not one of ours: the earlier handling takes it. Returning runs the faulting instruction
    // again, which now meets that handling; a signal that was sent rather than met is sent again.
    ::sigaction(SIGBUS, &g_before, nullptr);
    if (info && info->si_code <= 0)
        ::raise(signal);
}

void handleBusErrors()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action = {};
        action.sa_sigaction = onBusError;
        // Not blocked while handled: the jump back leaves the handler without restoring a mask.
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_before);
    });
}

} // namespace

bool copyFromMapping(void *to, const void *from, std::size_t n)
{
    handleBusErrors();
    sigjmp_buf back;
    if (sigsetjmp(back, 0) != 0)
        return false; // a page could not be read; t_copying was cleared by the handler
    t_copying = &back;
    std::atomic_signal_fence(std::memory_order_seq_cst); // the copy stays inside the guard
    std::memcpy(to, from, n);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    t_copying = nullptr;
    return true;
}
