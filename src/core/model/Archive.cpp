// Little-endian field coding and the two length-prefixed text forms.
#include "Archive.h"

#include <cstring>

#include "TextCodec.h"

namespace tv {

namespace {

constexpr uint16_t kWideMarker = 0xFFFE;

}  // namespace

void ArchiveWriter::WriteLength(size_t n) {
    if (n < 0xFF) {
        WriteU8(static_cast<uint8_t>(n));
    } else if (n < kWideMarker) {
        WriteU8(0xFF);
        WriteU16(static_cast<uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<uint32_t>(n));
    }
}

void ArchiveWriter::WriteText(std::string_view utf8) {
    // Nearly every text is ASCII, which is its own Windows-1252 form.
    if (IsAscii(utf8)) {
        WriteLength(utf8.size());
        WriteBytes(utf8);
        return;
    }
    if (const std::optional<std::string> narrow = Utf8ToCp1252(utf8)) {
        WriteLength(narrow->size());
        WriteBytes(*narrow);
        return;
    }
    const std::u16string wide = Utf8ToUtf16(utf8);
    WriteU8(0xFF);
    WriteU16(kWideMarker);
    WriteLength(wide.size());
    char* p = Grow(2 * wide.size());
    for (char16_t unit : wide) {
        *p++ = static_cast<char>(unit & 0xFF);
        *p++ = static_cast<char>(unit >> 8);
    }
}

void ArchiveReader::ThrowEndOfFile() {
    throw ArchiveError(ArchiveError::Kind::EndOfFile, "the file ends before the data it announces");
}

size_t ArchiveReader::ReadLength(bool& wide) {
    size_t n = ReadU8();
    if (n == 0xFF) {
        n = ReadU16();
        if (n == kWideMarker) {
            wide = true;
            return 0;
        }
        if (n == 0xFFFF) n = ReadU32();
    }
    return n;
}

std::string_view ArchiveReader::ReadTextView() {
    bool wide = false;
    size_t n = ReadLength(wide);
    if (!wide) {
        const std::string_view bytes(Take(n), n);
        if (IsAscii(bytes)) return bytes;
        m_text = Cp1252ToUtf8(bytes);
        return m_text;
    }
    bool again = false;
    n = ReadLength(again);
    if (again) throw ArchiveError(ArchiveError::Kind::BadData, "a text announces its wide form twice");
    // Compared as a count of units, so that no length can overflow before it is checked.
    if (n > Remaining() / 2) ThrowEndOfFile();
    size_t replaced = 0;
    m_text = Utf16ToUtf8(std::string_view(Take(2 * n), 2 * n), false, replaced);
    if (replaced > 0) ++m_damagedTexts;
    return m_text;
}

void ArchiveReader::ReadText(std::string& out) {
    const std::string_view text = ReadTextView();
    // A converted text is handed over rather than copied.
    if (text.data() == m_text.data()) out.swap(m_text);
    else out.assign(text);
}

std::string ArchiveReader::ReadText() {
    std::string out;
    ReadText(out);
    return out;
}

std::string DamagedTextsNote(size_t count) {
    return std::to_string(count) + (count == 1 ? " text holds" : " texts hold") +
           " characters that could not be read, shown as \xEF\xBF\xBD";
}

}  // namespace tv
