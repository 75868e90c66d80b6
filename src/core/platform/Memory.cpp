#include "Memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace tv {

void PrefaultForWriting(void* start, size_t bytes) noexcept {
#ifdef MADV_POPULATE_WRITE
    static const uintptr_t page = uintptr_t(::sysconf(_SC_PAGESIZE));
    // Whole pages inside the range only; the pages at its edges fault as usual.
    const uintptr_t first = (reinterpret_cast<uintptr_t>(start) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(start) + bytes) & ~(page - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)bytes;
#endif
}

}  // namespace tv
