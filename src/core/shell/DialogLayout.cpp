// Dialog-unit layouts and their conversion to pixels.
#include "DialogLayout.h"

#include <cstdlib>

namespace tv {

namespace {

// value * num / den rounded half away from zero, in 64 bits so no layout can overflow.
int MulDiv(int value, int num, int den) {
    const int64_t p = static_cast<int64_t>(value) * num;
    const int64_t q = (std::llabs(p) * 2 + den) / (2 * den);
    return static_cast<int>(p < 0 ? -q : q);
}

}  // namespace

PixelRect ToPixels(const DialogRect& r, const DialogBaseUnits& base) {
    const int left = MulDiv(r.x, base.x, 4);
    const int top = MulDiv(r.y, base.y, 8);
    const int right = MulDiv(r.x + r.width, base.x, 4);
    const int bottom = MulDiv(r.y + r.height, base.y, 8);
    return {left, top, right - left, bottom - top};
}

}  // namespace tv
