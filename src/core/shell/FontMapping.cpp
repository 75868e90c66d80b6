// How a stored logical-font record becomes a font request that is readable on this screen.
#include "FontMapping.h"

#include <algorithm>
#include <cstdlib>

namespace tv {

namespace {

bool IsDialogFace(const std::string& face) {
    static const char* const kDialogFaces[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "System",
                                               "Default"};
    for (const char* f : kDialogFaces)
        if (face == f) return true;
    return false;
}

int MapWeight(int32_t weight) {
    if (weight < 550) return 400;
    if (weight < 650) return 600;
    if (weight < 750) return 700;
    if (weight < 850) return 800;
    return 900;
}

}  // namespace

FontRequest MapLogFont(const LogFont& font, const FontLimits& limits) {
    FontRequest r;
    r.family = IsDialogFace(font.faceName) ? std::string() : font.faceName;
    int pixels = limits.defaultPixelSize;
    if (font.height < 0) {
        // INT_MIN has no positive counterpart; anything that large is clamped below anyway.
        pixels = font.height < -100000 ? limits.maxPixelSize : -font.height;
    } else if (font.height > 0) {
        pixels = font.height > 100000 ? limits.maxPixelSize : (font.height * 7 + 4) / 8;
    }
    r.pixelSize = std::clamp(pixels, limits.minPixelSize, std::max(limits.minPixelSize, limits.maxPixelSize));
    r.weight = MapWeight(font.weight);
    r.italic = font.italic != 0;
    r.underline = font.underline != 0;
    r.strikeOut = font.strikeOut != 0;
    return r;
}

}  // namespace tv
