// Font record conversion.
#include "LogFontQt.h"

#include <QApplication>
#include <cmath>

#include "DialogSupport.h"
#include "shell/QtConvert.h"

namespace tv {

QFont ToFontDialogQFont(const LogFont& lf) {
    QFont font = ToQFont(lf);
    font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return font;
}

LogFont FromQFont(const QFont& font, const LogFont& base) {
    LogFont lf = base;
    lf.SetFaceName(font.family().toStdString());
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
