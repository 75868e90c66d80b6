// The refilled window of a record stream over a file.
#include "RecordStream.h"

#include <algorithm>
#include <cstring>

#include "platform/Memory.h"

namespace tv {

RecordStream::RecordStream(FileReader& file) : m_ar(nullptr), m_file(&file) {
    m_window.emplace(std::string_view());
    m_ar = &*m_window;
    Refill(0, 0, kWindow);
}

void RecordStream::Refill(size_t keepFrom, size_t damagedBefore, size_t capacity) {
    const size_t kept = m_filled - keepFrom;
    if (kept > 0 && keepFrom > 0) std::memmove(m_buffer.get(), m_buffer.get() + keepFrom, kept);
    m_filled = kept;
    m_damagedBefore += damagedBefore;
    // Never more room than what is left of the file needs.
    capacity = std::min(std::max(capacity, m_capacity), kept + m_file->Remaining());
    if (capacity > m_capacity) {
        // The file's bytes overwrite the room at once: it is neither zeroed first nor faulted
        // in page by page.
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        PrefaultForWriting(grown.get(), capacity);
        if (kept > 0) std::memcpy(grown.get(), m_buffer.get(), kept);
        m_buffer = std::move(grown);
        m_capacity = capacity;
    }
    size_t got = 0;
    std::string why;
    if (!m_file->Read(m_buffer.get() + m_filled, m_capacity - m_filled, got, why)) m_readError = why;
    m_filled += got;
    m_window.emplace(std::string_view(m_buffer.get(), m_filled));
    m_ar = &*m_window;
}

}  // namespace tv
