// Archive texts are Windows-1252 bytes; everything shown or typed is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Every byte maps to one character, so bytes -> UTF-8 -> bytes is exact for any input.
std::string Cp1252ToUtf8(std::string_view bytes);
// A character with no Windows-1252 byte becomes '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace tv
