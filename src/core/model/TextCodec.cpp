// UTF-8 decoding and encoding, Windows-1252 and UTF-16 conversions, counting and cutting.
#include "TextCodec.h"

#include <cstdint>
#include <cstring>

namespace tv {

namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined keep their C1 control points so
// that they survive a round trip.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a character, or -1 when the code page has none.
int ByteFor(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

}  // namespace

bool IsAscii(std::string_view text) {
    // Eight bytes at a time: every text of a file passes here while it loads.
    const char* p = text.data();
    size_t n = text.size();
    uint64_t high = 0;
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        high |= word;
    }
    for (; n > 0; ++p, --n) high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080ull) == 0;
}

char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    size_t len = 0;
    char32_t c = 0, lowest = 0;
    if (b >= 0xC2 && b <= 0xDF) len = 2, c = b & 0x1F, lowest = 0x80;
    else if ((b & 0xF0) == 0xE0) len = 3, c = b & 0x0F, lowest = 0x800;
    else if (b >= 0xF0 && b <= 0xF4) len = 4, c = b & 0x07, lowest = 0x10000;
    bool ok = len > 0 && len <= s.size() - i;
    for (size_t k = 1; ok && k < len; ++k) {
        const auto cont = static_cast<unsigned char>(s[i + k]);
        ok = (cont & 0xC0) == 0x80;
        c = (c << 6) | (cont & 0x3F);
    }
    if (!ok || c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kReplacementChar;
    }
    i += len;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t at = i;
        // A malformed byte gives U+FFFD and moves one byte; the character itself takes three.
        if (NextCodePoint(text, i) == kReplacementChar && i - at == 1) return false;
    }
    return true;
}

std::string ToValidUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size();) AppendUtf8(out, NextCodePoint(text, i));
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char32_t>(b));
    }
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        // A malformed byte reads as U+FFFD, which the code page does not hold either.
        const int byte = ByteFor(NextCodePoint(utf8, i));
        if (byte < 0) return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, size_t& replaced) {
    const size_t units = bytes.size() / 2;
    auto unit = [&](size_t k) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[2 * k]);
        const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    std::string out;
    out.reserve(units + units / 2);
    for (size_t k = 0; k < units; ++k) {
        char32_t c = unit(k);
        if (c >= 0xD800 && c <= 0xDFFF) {
            const char32_t low = k + 1 < units ? unit(k + 1) : 0;
            if (c <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++k;
            } else {
                c = kReplacementChar;
                ++replaced;
            }
        }
        AppendUtf8(out, c);
    }
    if (bytes.size() % 2 != 0) {
        AppendUtf8(out, kReplacementChar);
        ++replaced;
    }
    return out;
}

std::string DecodeTextFile(std::string_view bytes, size_t& replaced) {
    const auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (startsWith("\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), false, replaced);
    if (startsWith("\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), true, replaced);
    if (IsValidUtf8(bytes)) return std::string(startsWith("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    return Cp1252ToUtf8(bytes);
}

size_t CountCodePoints(std::string_view utf8) {
    size_t n = 0;
    for (size_t i = 0; i < utf8.size(); ++n) NextCodePoint(utf8, i);
    return n;
}

std::string_view CutToCodePoints(std::string_view utf8, size_t maxCodePoints) {
    size_t i = 0;
    for (size_t n = 0; i < utf8.size() && n < maxCodePoints; ++n) NextCodePoint(utf8, i);
    return utf8.substr(0, i);
}

std::string_view CutToUtf16Units(std::string_view utf8, size_t maxUnits) {
    size_t i = 0, units = 0;
    while (i < utf8.size()) {
        size_t next = i;
        units += NextCodePoint(utf8, next) >= 0x10000 ? 2 : 1;
        if (units > maxUnits) break;
        i = next;
    }
    return utf8.substr(0, i);
}

std::string EscapeField(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string UnescapeField(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

}  // namespace tv
