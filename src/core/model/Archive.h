// Sequential little-endian archives: the byte layout of every file the program stores.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "DateTime.h"

namespace tv {

// Raised while reading when the data end early or cannot be what the layout says.
class ArchiveError : public std::runtime_error {
public:
    enum class Kind { EndOfFile, BadData };
    ArchiveError(Kind kind, const std::string& what) : std::runtime_error(what), m_kind(kind) {}
    Kind GetKind() const { return m_kind; }

private:
    Kind m_kind;
};

class ArchiveWriter {
public:
    // Receives the written bytes piece by piece; answers false once it can take no more.
    using Sink = std::function<bool(std::string_view)>;

    ArchiveWriter() = default;
    // Hands the bytes to sink whenever chunkSize of them have gathered, so that a large file
    // is written while it is made instead of being held whole in memory first.
    ArchiveWriter(size_t chunkSize, Sink sink) : m_sink(std::move(sink)) { m_data.resize(chunkSize); }
    // Hands what has gathered to the sink.
    void Flush() {
        if (m_sink && m_size > 0) m_sink(std::string_view(m_data.data(), m_size));
        m_size = 0;
    }

    void WriteU8(uint8_t v) { *Grow(1) = static_cast<char>(v); }
    void WriteU16(uint16_t v) {
        char* p = Grow(2);
        p[0] = static_cast<char>(v & 0xFF);
        p[1] = static_cast<char>(v >> 8);
    }
    void WriteU32(uint32_t v) {
        char* p = Grow(4);
        p[0] = static_cast<char>(v & 0xFF);
        p[1] = static_cast<char>((v >> 8) & 0xFF);
        p[2] = static_cast<char>((v >> 16) & 0xFF);
        p[3] = static_cast<char>(v >> 24);
    }
    void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
    void WriteDouble(double v) {
        uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        WriteU32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
        WriteU32(static_cast<uint32_t>(bits >> 32));
    }
    void WriteBytes(std::string_view bytes) {
        if (!bytes.empty()) std::memcpy(Grow(bytes.size()), bytes.data(), bytes.size());
    }
    // A UTF-8 text: Windows-1252 bytes behind a length prefix of 1, 3 or 7 bytes when the
    // code page holds every character (so such files stay as they always were), otherwise the
    // wide form: FF FE FF, the length in UTF-16 units in the same prefix form, the units.
    void WriteText(std::string_view utf8);
    void WriteDateTime(const DateTime& dt) {
        WriteI32(static_cast<int32_t>(dt.Status()));
        WriteDouble(dt.Days());
    }
    void WriteTimeSpan(const TimeSpan& span) {
        WriteI32(static_cast<int32_t>(span.Status()));
        WriteDouble(span.Days());
    }

    // Everything written (without a sink).
    const std::string& Data() const {
        m_data.resize(m_size);
        return m_data;
    }
    std::string TakeData() {
        m_data.resize(m_size);
        m_size = 0;
        return std::move(m_data);
    }
    void Reserve(size_t n) {
        if (n > m_data.size()) m_data.resize(n);
    }

private:
    void WriteLength(size_t n);
    // The buffer runs ahead of the written size, so a field is one bounds check and a store.
    char* Grow(size_t n) {
        if (m_size + n > m_data.size()) [[unlikely]] MakeRoom(n);
        char* p = m_data.data() + m_size;
        m_size += n;
        return p;
    }
    void MakeRoom(size_t n) {
        if (m_sink) Flush();
        if (m_size + n > m_data.size()) m_data.resize(std::max(m_data.size() * 2, m_size + n + 256));
    }

    mutable std::string m_data;
    size_t m_size = 0;
    Sink m_sink;
};

// Reads from a byte range it does not own. Never trusts a length or count: anything that
// would run past the end raises ArchiveError before a byte is allocated for it.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view data) : m_data(data) {}

    // The fixed-size fields are inline: loading an event file is mostly these calls.
    uint8_t ReadU8() { return static_cast<uint8_t>(*Take(1)); }
    uint16_t ReadU16() {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(2));
        return static_cast<uint16_t>(p[0] | (p[1] << 8));
    }
    uint32_t ReadU32() {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(4));
        return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    }
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    double ReadDouble() {
        const uint64_t lo = ReadU32();
        const uint64_t hi = ReadU32();
        const uint64_t bits = lo | (hi << 32);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // Texts come back as UTF-8 whichever form the file holds them in.
    std::string ReadText();
    void ReadText(std::string& out);
    // Valid until the next text is read: in place when the stored bytes are plain ASCII.
    std::string_view ReadTextView();
    // Wide texts read so far that held invalid UTF-16 (a lone surrogate), which was replaced
    // by U+FFFD. Reading goes on after them; the caller reports the file as damaged.
    size_t DamagedTexts() const { return m_damagedTexts; }
    DateTime ReadDateTime() {
        const DateTimeStatus status = ReadStatus();
        return DateTime(ReadDouble(), status);
    }
    TimeSpan ReadTimeSpan() {
        const DateTimeStatus status = ReadStatus();
        return TimeSpan(ReadDouble(), status);
    }
    void Skip(size_t n) { Take(n); }

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

private:
    const char* Take(size_t n) {
        if (n > Remaining()) [[unlikely]] ThrowEndOfFile();
        const char* p = m_data.data() + m_pos;
        m_pos += n;
        return p;
    }
    [[noreturn]] static void ThrowEndOfFile();
    // A length prefix; wide is set instead when it holds the wide-form marker.
    size_t ReadLength(bool& wide);
    DateTimeStatus ReadStatus() {
        const int32_t s = ReadI32();
        // Any other number would make the value unusable; the old readers took it as invalid.
        return (s < 0 || s > 2) ? DateTimeStatus::Invalid : static_cast<DateTimeStatus>(s);
    }

    std::string_view m_data;
    size_t m_pos = 0;
    std::string m_text;  // a text that had to be converted
    size_t m_damagedTexts = 0;
};

// What a damage report says about texts DamagedTexts counted.
std::string DamagedTextsNote(size_t count);

}  // namespace tv
