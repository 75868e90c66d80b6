// Conversions of the stored colour and font records to Qt's, at the drawing edge.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "model/EventType.h"
#include "shell/FontMapping.h"

class QPainter;

namespace tv {

// 0x00BBGGRR <-> QColor (alpha ignored).
inline QColor ToQColor(ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
inline ColorRef FromQColor(const QColor& c) { return MakeColorRef(c.red(), c.green(), c.blue()); }
// A text colour kept legible on its background (the views' contrast rule, ViewColors.h).
QColor LegibleQColor(const QColor& text, const QColor& background);

// The stored font as a readable QFont (see MapLogFont for the rules). An empty family or one
// this system lacks falls back to the desktop's font of the same size.
QFont ToQFont(const LogFont& font, const FontLimits& limits = {});

// Draws a user's text in the place the layout gave it, read in its own direction: a name that
// starts in a right-to-left script reads right to left. Where it fits it stands where a
// left-to-right name would; where it does not, it is aligned to the right so that, like any
// other name, it keeps its beginning and loses its end.
void DrawUserText(QPainter& p, const QRect& rect, int flags, const QString& text);

}  // namespace tv
