// Little-endian field coding and the length-prefixed text form.
#include "Archive.h"

#include <cstring>

namespace tv {

void ArchiveWriter::WriteU16(uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    m_data.append(b, 2);
}

void ArchiveWriter::WriteU32(uint32_t v) {
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    m_data.append(b, 4);
}

void ArchiveWriter::WriteDouble(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    WriteU32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    WriteU32(static_cast<uint32_t>(bits >> 32));
}

void ArchiveWriter::WriteText(std::string_view text) {
    const size_t n = text.size();
    if (n < 0xFF) {
        WriteU8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<uint32_t>(n));
    }
    m_data.append(text);
}

void ArchiveWriter::WriteDateTime(const DateTime& dt) {
    WriteI32(static_cast<int32_t>(dt.Status()));
    WriteDouble(dt.Days());
}

void ArchiveWriter::WriteTimeSpan(const TimeSpan& span) {
    WriteI32(static_cast<int32_t>(span.Status()));
    WriteDouble(span.Days());
}

const char* ArchiveReader::Take(size_t n) {
    if (n > Remaining())
        throw ArchiveError(ArchiveError::Kind::EndOfFile, "the file ends before the data it announces");
    const char* p = m_data.data() + m_pos;
    m_pos += n;
    return p;
}

uint8_t ArchiveReader::ReadU8() { return static_cast<uint8_t>(*Take(1)); }

uint16_t ArchiveReader::ReadU16() {
    const auto* p = reinterpret_cast<const unsigned char*>(Take(2));
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ArchiveReader::ReadU32() {
    const auto* p = reinterpret_cast<const unsigned char*>(Take(4));
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

double ArchiveReader::ReadDouble() {
    const uint64_t lo = ReadU32();
    const uint64_t hi = ReadU32();
    const uint64_t bits = lo | (hi << 32);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string ArchiveReader::ReadText() {
    size_t n = ReadU8();
    if (n == 0xFF) {
        n = ReadU16();
        // 0xFFFE marks wide-character text, which no writer of these files produces.
        if (n == 0xFFFE) throw ArchiveError(ArchiveError::Kind::BadData, "a text is stored in an unknown form");
        if (n == 0xFFFF) n = ReadU32();
    }
    const char* p = Take(n);
    return std::string(p, n);
}

static DateTimeStatus ReadStatus(ArchiveReader& ar) {
    const int32_t s = ar.ReadI32();
    // Any other number would make the value unusable; the old readers took it as invalid.
    if (s < 0 || s > 2) return DateTimeStatus::Invalid;
    return static_cast<DateTimeStatus>(s);
}

DateTime ArchiveReader::ReadDateTime() {
    const DateTimeStatus status = ReadStatus(*this);
    return DateTime(ReadDouble(), status);
}

TimeSpan ArchiveReader::ReadTimeSpan() {
    const DateTimeStatus status = ReadStatus(*this);
    return TimeSpan(ReadDouble(), status);
}

void ArchiveReader::Skip(size_t n) { Take(n); }

}  // namespace tv
