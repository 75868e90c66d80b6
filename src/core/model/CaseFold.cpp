// Full Unicode case folding over the table tools/make-casefold.py generates.
#include <algorithm>
#include <iterator>

#include "TextCodec.h"

namespace tv {

namespace {

struct FoldRow {
    char32_t from;
    char32_t to[3];
};

constexpr FoldRow kFoldRows[] = {
#include "CaseFoldTable.inc"
};

}  // namespace

std::string CaseFold(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {  // most texts are mostly ASCII: no search for them
            out += static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
            ++i;
            continue;
        }
        const char32_t c = NextCodePoint(utf8, i);
        const auto row = std::lower_bound(std::begin(kFoldRows), std::end(kFoldRows), c,
                                          [](const FoldRow& r, char32_t v) { return r.from < v; });
        if (row == std::end(kFoldRows) || row->from != c) {
            AppendUtf8(out, c);
            continue;
        }
        for (char32_t t : row->to)
            if (t != 0) AppendUtf8(out, t);
    }
    return out;
}

}  // namespace tv
