// Font record conversion.
#include "LogFontQt.h"

#include <QApplication>
#include <cmath>

#include "DialogSupport.h"
#include "shell/FontMapping.h"

namespace tv {

QFont ToQFont(const LogFont& lf) {
    const FontRequest request = MapLogFont(lf);
    QFont font = QApplication::font();
    if (!request.family.empty()) font.setFamilies({QString::fromStdString(request.family)});
    font.setPointSizeF(request.pixelSize * 72.0 / 96.0);
    font.setWeight(static_cast<QFont::Weight>(request.weight));
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    font.setStrikeOut(request.strikeOut);
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
