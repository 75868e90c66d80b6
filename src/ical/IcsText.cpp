// Model text <-> UTF-8 for the calendar files.
#include "IcsText.h"

#include "model/TextCodec.h"

namespace tv::ics {

std::string ModelTextToUtf8(std::string_view text) { return Cp1252ToUtf8(text); }

std::string Utf8ToModelText(std::string_view utf8) { return Utf8ToCp1252(utf8); }

bool ModelHoldsText(std::string_view utf8) { return ModelTextToUtf8(Utf8ToModelText(utf8)) == utf8; }

std::string CutUtf8(std::string_view utf8, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        // A lead byte starts a character; continuation bytes (10xxxxxx) belong to the one before.
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && chars++ == maxChars)
            return std::string(utf8.substr(0, i));
    }
    return std::string(utf8);
}

}  // namespace tv::ics
