// Font record conversion.
#include "LogFontQt.h"

#include <QApplication>
#include <cmath>
#include <cstdlib>

#include "DialogSupport.h"

namespace tv {

QFont ToQFont(const LogFont& lf) {
    QFont font = QApplication::font();
    if (!lf.faceName.empty()) font.setFamilies({FromArchiveText(lf.faceName)});
    // Points rather than pixels, so that the font dialog shows a size it knows.
    if (lf.height != 0) font.setPointSizeF(std::clamp(std::abs(lf.height), 1, 1000) * 72.0 / 96.0);
    if (lf.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.weight, 1, 1000)));
    font.setItalic(lf.italic != 0);
    font.setUnderline(lf.underline != 0);
    font.setStrikeOut(lf.strikeOut != 0);
    return font;
}

LogFont FromQFont(const QFont& font, const LogFont& base) {
    LogFont lf = base;
    lf.SetFaceName(ToArchiveText(font.family()));
    int pixels = font.pixelSize();
    if (pixels <= 0) pixels = static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    lf.height = -std::max(1, pixels);
    lf.width = 0;
    lf.weight = font.weight();
    lf.italic = font.italic() ? 1 : 0;
    lf.underline = font.underline() ? 1 : 0;
    lf.strikeOut = font.strikeOut() ? 1 : 0;
    return lf;
}

}  // namespace tv
