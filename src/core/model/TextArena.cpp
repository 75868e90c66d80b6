// Chunk handling of the text arena.
#include "TextArena.h"

#include <algorithm>
#include <cstring>

namespace tv {

namespace {

// Chunks grow with the arena, so that a small store stays small and a large one has few chunks.
constexpr size_t kFirstChunk = 4096;
constexpr size_t kLargestChunk = size_t(1) << 20;

}  // namespace

void TextArena::NewChunk(size_t need) {
    const size_t record = m_used - m_recordStart;
    const size_t grown = std::min(kLargestChunk, std::max(kFirstChunk, m_capacity * 2));
    const size_t capacity = std::max(grown, record + need);
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (record > 0) std::memcpy(bytes.get(), m_chunk + m_recordStart, record);
    if (!m_chunks.empty()) {
        // The moved part of the record stays behind in the old chunk as garbage.
        m_chunks.back().used = m_recordStart;
        m_usedBefore += m_recordStart;
    }
    m_chunk = bytes.get();
    m_chunks.push_back({std::move(bytes), capacity, 0});
    m_capacity = capacity;
    m_used = record;
    m_recordStart = 0;
}

void TextArena::Rollback(const Mark& mark) {
    if (mark.chunks == 0) {
        Clear();
        return;
    }
    while (m_chunks.size() > mark.chunks) m_chunks.pop_back();
    m_usedBefore = 0;
    for (size_t i = 0; i + 1 < m_chunks.size(); ++i) m_usedBefore += m_chunks[i].used;
    m_chunk = m_chunks.back().bytes.get();
    m_capacity = m_chunks.back().capacity;
    m_used = m_recordStart = mark.used;
}

void TextArena::Reuse() {
    if (m_chunks.size() > 1) m_chunks.erase(m_chunks.begin(), m_chunks.end() - 1);
    m_used = m_recordStart = m_usedBefore = 0;
}

void TextArena::Clear() {
    m_chunks.clear();
    m_chunk = nullptr;
    m_capacity = m_used = m_recordStart = m_usedBefore = 0;
}

}  // namespace tv
