#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>

// Asks the system to back a large block with huge pages where it can: filling it then takes a
// few hundred page faults instead of tens of thousands. Only the whole huge pages inside the block
// are asked for; a small block is left as it is.
inline void preferHugePages(void *data, std::size_t size)
{
    constexpr std::uintptr_t kHuge = 2u << 20;
    const std::uintptr_t from = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t start = (from + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (from + size) & ~(kHuge - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
}
