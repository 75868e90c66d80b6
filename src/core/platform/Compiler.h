// The compiler extensions the core uses, each with a plain fallback, so that everything outside
// this folder is standard C++ that any compiler builds.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
// Lets the compiler check printf-style arguments against their format.
#define TV_PRINTF_FORMAT(formatIndex, firstArgIndex) __attribute__((format(printf, formatIndex, firstArgIndex)))
#else
#define TV_PRINTF_FORMAT(formatIndex, firstArgIndex)
#endif

namespace tv {

// Asks the processor to fetch memory that is about to be read; a hint only.
inline void PrefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace tv
