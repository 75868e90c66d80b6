// Sequential little-endian archives: the byte layout of every file the program stores.
#pragma once

#include <cstdint>
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
    void WriteU8(uint8_t v) { m_data.push_back(static_cast<char>(v)); }
    void WriteU16(uint16_t v);
    void WriteU32(uint32_t v);
    void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
    void WriteDouble(double v);
    void WriteBytes(std::string_view bytes) { m_data.append(bytes); }
    // Length prefix of 1, 3 or 7 bytes, then the bytes without terminator.
    void WriteText(std::string_view text);
    void WriteDateTime(const DateTime& dt);
    void WriteTimeSpan(const TimeSpan& span);

    const std::string& Data() const { return m_data; }
    std::string TakeData() { return std::move(m_data); }
    void Reserve(size_t n) { m_data.reserve(n); }

private:
    std::string m_data;
};

// Reads from a byte range it does not own. Never trusts a length or count: anything that
// would run past the end raises ArchiveError before a byte is allocated for it.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view data) : m_data(data) {}

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    double ReadDouble();
    std::string ReadText();
    DateTime ReadDateTime();
    TimeSpan ReadTimeSpan();
    void Skip(size_t n);

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

private:
    const char* Take(size_t n);

    std::string_view m_data;
    size_t m_pos = 0;
};

}  // namespace tv
