// Every text in memory is UTF-8; these convert it to and from the forms files hold it in
// (Windows-1252 bytes, UTF-16) and measure, cut and case-fold it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the character at i and moves i past it. Malformed bytes (a stray continuation byte,
// a cut sequence, an overlong form, a surrogate, anything past U+10FFFF) give U+FFFD and move
// one byte on, so a caller never stops early and never loops.
char32_t NextCodePoint(std::string_view utf8, size_t& i);
void AppendUtf8(std::string& out, char32_t c);
bool IsValidUtf8(std::string_view text);
// Every byte below 0x80: the text is its own UTF-8 and Windows-1252 form.
bool IsAscii(std::string_view text);
// The text with every malformed byte replaced by U+FFFD; valid text comes back unchanged.
std::string ToValidUtf8(std::string_view text);

// Every byte maps to one character, so bytes -> UTF-8 -> bytes is exact for any input.
std::string Cp1252ToUtf8(std::string_view bytes);
// The Windows-1252 bytes of a text, or nothing when one of its characters has no byte there.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);
// bytes holds UTF-16 code units in the given byte order. A lone surrogate or an odd last byte
// becomes U+FFFD and is counted in replaced.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, size_t& replaced);

// A text file's bytes as UTF-8: UTF-16 when it starts with a byte-order mark (the mark is
// dropped), the file itself when it is valid UTF-8, otherwise Windows-1252.
std::string DecodeTextFile(std::string_view bytes, size_t& replaced);

size_t CountCodePoints(std::string_view utf8);
// The longest start of the text within the limit; a character is never cut in two.
std::string_view CutToCodePoints(std::string_view utf8, size_t maxCodePoints);
std::string_view CutToUtf16Units(std::string_view utf8, size_t maxUnits);

// Full Unicode case folding (CaseFold.cpp): two texts that differ only in case fold to the
// same text, in every script.
std::string CaseFold(std::string_view utf8);

// One field of a line-based state file: backslash, tab and line breaks as \\, \t, \n, \r, so
// a field never splits its line or its tab-separated row.
std::string EscapeField(std::string_view text);
std::string UnescapeField(std::string_view text);

}  // namespace tv
