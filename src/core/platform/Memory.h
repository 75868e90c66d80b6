// Asking the kernel for memory ahead of its first writes.
#pragma once

#include <cstddef>

namespace tv {

// Maps the whole pages of [start, start + bytes) ready for writing in one system call, so that
// filling them does not stop at every page for a fault: a store read from its file fills
// megabytes of fresh memory front to back, and on virtual machines each such fault is dear.
// Only a hint: where the kernel cannot, the pages come one fault at a time as before.
void PrefaultForWriting(void* start, size_t bytes) noexcept;

}  // namespace tv
