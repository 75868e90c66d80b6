// Conversions of the stored colour and font records to Qt's.
#include "QtConvert.h"

#include <QApplication>
#include <QPainter>

#include "views/ViewColors.h"

namespace tv {

QColor LegibleQColor(const QColor& text, const QColor& background) {
    const DrawColor c = LegibleOn(DrawColor::Rgb(text.red(), text.green(), text.blue()),
                                  DrawColor::Rgb(background.red(), background.green(), background.blue()));
    return QColor(c.r, c.g, c.b);
}

QFont ToQFont(const LogFont& font, const FontLimits& limits) {
    const FontRequest r = MapLogFont(font, limits);
    QFont f = QApplication::font();
    if (!r.family.empty()) {
        f.setFamilies({QString::fromStdString(r.family), QApplication::font().family()});
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPixelSize(r.pixelSize);
    f.setWeight(static_cast<QFont::Weight>(r.weight));
    f.setItalic(r.italic);
    f.setUnderline(r.underline);
    f.setStrikeOut(r.strikeOut);
    return f;
}

void DrawUserText(QPainter& p, const QRect& rect, int flags, const QString& text) {
    if (!text.isRightToLeft()) {
        p.drawText(rect, flags, text);
        return;
    }
    const Qt::LayoutDirection before = p.layoutDirection();
    p.setLayoutDirection(Qt::RightToLeft);
    const bool fits = (flags & Qt::TextDontClip) || p.fontMetrics().horizontalAdvance(text) <= rect.width();
    // Without AlignAbsolute the right-to-left direction mirrors the horizontal alignment.
    p.drawText(rect, fits ? flags | Qt::AlignAbsolute : flags, text);
    p.setLayoutDirection(before);
}

}  // namespace tv
