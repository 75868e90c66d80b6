// Little-endian field coding and the length-prefixed text form.
#include "Archive.h"

#include <cstring>

namespace tv {

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
    WriteBytes(text);
}

void ArchiveReader::ThrowEndOfFile() {
    throw ArchiveError(ArchiveError::Kind::EndOfFile, "the file ends before the data it announces");
}

std::string_view ArchiveReader::ReadTextView() {
    size_t n = ReadU8();
    if (n == 0xFF) {
        n = ReadU16();
        // 0xFFFE marks wide-character text, which no writer of these files produces.
        if (n == 0xFFFE) throw ArchiveError(ArchiveError::Kind::BadData, "a text is stored in an unknown form");
        if (n == 0xFFFF) n = ReadU32();
    }
    return std::string_view(Take(n), n);
}

void ArchiveReader::ReadText(std::string& out) { out.assign(ReadTextView()); }

std::string ArchiveReader::ReadText() {
    std::string out;
    ReadText(out);
    return out;
}

}  // namespace tv
