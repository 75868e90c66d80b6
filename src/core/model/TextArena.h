// Texts of many records kept back to back in a few large chunks.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace tv {

// A store of many events keeps their texts here instead of one allocation per text. Texts are
// never moved or freed one by one: a record's texts stay where they were put until Clear (or
// the arena's end), and whoever replaces them counts the old ones as garbage.
class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    TextArena(TextArena&&) noexcept = default;
    TextArena& operator=(TextArena&&) noexcept = default;

    // One record's texts go in as Begin, Append for each, End; End answers where the first one
    // begins, and the others follow it without a gap.
    void Begin() { m_recordStart = m_used; }
    void Append(std::string_view text) {
        if (text.size() > m_capacity - m_used) [[unlikely]] NewChunk(text.size());
        std::char_traits<char>::copy(m_chunk + m_used, text.data(), text.size());
        m_used += text.size();
    }
    const char* End() const { return m_chunk + m_recordStart; }

    // Where the next record would go; Rollback forgets every text put in after it.
    struct Mark {
        size_t chunks, used;
    };
    Mark GetMark() const { return {m_chunks.size(), m_used}; }
    void Rollback(const Mark& mark);

    void Clear();
    // Forgets every text but keeps the last chunk's memory, for a reader that needs one
    // record's texts at a time.
    void Reuse();
    // Bytes of texts put in since the last Clear, garbage included.
    size_t BytesUsed() const { return m_usedBefore + m_used; }

private:
    // Moves the unfinished record to a new chunk with room for it and need more bytes.
    void NewChunk(size_t need);

    struct Chunk {
        std::unique_ptr<char[]> bytes;
        size_t capacity;
        size_t used;  // of the chunks before the last; the last one's is m_used
    };
    std::vector<Chunk> m_chunks;
    char* m_chunk = nullptr;  // the last chunk's bytes
    size_t m_capacity = 0;
    size_t m_used = 0;
    size_t m_recordStart = 0;
    size_t m_usedBefore = 0;  // bytes used in the chunks before the last
};

}  // namespace tv
