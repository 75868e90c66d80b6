// How a stored logical-font record becomes a font request that is readable on this screen.
#pragma once

#include <string>

#include "model/LogFont.h"

namespace tv {

struct FontRequest {
    std::string family;  // UTF-8; empty means the desktop's own user-interface font
    int pixelSize = 0;   // the em height in pixels
    int weight = 400;    // 100 .. 900
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct FontLimits {
    int minPixelSize = 9;       // smaller text is raised to this
    int maxPixelSize = 200;     // larger text is lowered to this
    int defaultPixelSize = 13;  // for a height of 0 ("any size")
};

// A negative height is the character height in pixels; a positive one is the cell height,
// of which the character takes about seven eighths; 0 asks for the default size. Weights
// below 550 are regular (the records often hold 20 where they mean "normal"), 700 is bold.
// Width, escapement and orientation are left out: a squeezed or rotated reminder is
// unreadable. The old dialog fonts ("MS Sans Serif", "System") map to the desktop's font.
FontRequest MapLogFont(const LogFont& font, const FontLimits& limits = {});

}  // namespace tv
