// Replays the views' drawing lists on a QPainter.
#include "ViewPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "shell/AppIcons.h"
#include "shell/QtConvert.h"

namespace tv {

namespace {

QFont PaletteFont(int cellHeight) {
    LogFont f;
    f.height = cellHeight;
    f.weight = ViewPalette::kFontWeight;
    f.SetFaceName(ViewPalette::kFontFace);
    // The views' texts are sized to their rows; the limits of reminder texts do not apply.
    FontLimits limits;
    limits.minPixelSize = 6;
    return ToQFont(f, limits);
}

// A window-system line leaves its end point out; Qt's includes it.
void DrawOpenLine(QPainter& p, Point from, Point to) {
    int x2 = to.x, y2 = to.y;
    if (from.y == to.y && from.x != to.x) x2 += from.x < to.x ? -1 : 1;
    else if (from.x == to.x && from.y != to.y) y2 += from.y < to.y ? -1 : 1;
    else if (from.x == to.x && from.y == to.y) return;
    p.drawLine(from.x, from.y, x2, y2);
}

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QPainterPath RoundPath(const Rect& r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(r.left, r.top, r.Width(), r.Height()), 5, 5);
    return path;
}

DrawColor Fixed(const QColor& c) { return DrawColor::Rgb(c.red(), c.green(), c.blue()); }

}  // namespace

DesktopColors DesktopColorsOf(const QPalette& p) {
    DesktopColors d;
    d.base = Fixed(p.color(QPalette::Base));
    d.text = Fixed(p.color(QPalette::Text));
    d.button = Fixed(p.color(QPalette::Button));
    d.buttonText = Fixed(p.color(QPalette::ButtonText));
    return d;
}

void ViewStyle::SetPalette(const QPalette& p) {
    palette = p;
    scheme = ViewScheme(DesktopColorsOf(p));
}

ViewStyle ViewStyle::ForScreen() {
    ViewStyle s;
    s.SetPalette(QApplication::palette());
    s.textFont = PaletteFont(ViewPalette::kTextFontHeight);
    s.hourFont = PaletteFont(ViewPalette::kHourFontHeight);
    s.defaultFont = QApplication::font();
    s.typeIcon = [](int i) { return icons::SmallTypeIcon(i); };
    return s;
}

QColor ResolveColor(const DrawColor& c, const ViewStyle& style) {
    using Role = DrawColor::Role;
    const QPalette& palette = style.palette;
    switch (c.role) {
        case Role::Rgb: {
            if (c.legibleOn == Role::Rgb) return QColor(c.r, c.g, c.b);
            const DrawColor on = Fixed(ResolveColor(DrawColor::System(c.legibleOn), style));
            const DrawColor legible = LegibleOn(DrawColor::Rgb(c.r, c.g, c.b), on);
            return QColor(legible.r, legible.g, legible.b);
        }
        case Role::ButtonFace: return palette.color(QPalette::Button);
        case Role::ButtonHighlight: return palette.color(QPalette::Light);
        case Role::ButtonShadow: return palette.color(QPalette::Dark);
        case Role::ButtonText: return palette.color(QPalette::ButtonText);
        case Role::Highlight: return palette.color(QPalette::Highlight);
        case Role::HighlightText: return palette.color(QPalette::HighlightedText);
        case Role::ToolTipBase: return palette.color(QPalette::ToolTipBase);
        case Role::ToolTipText: return palette.color(QPalette::ToolTipText);
        default: {
            const DrawColor fixed = style.scheme.Resolve(c.role);
            return QColor(fixed.r, fixed.g, fixed.b);
        }
    }
}

QFont FontFor(DrawFont font, const ViewStyle& style) {
    switch (font) {
        case DrawFont::Text: return style.textFont;
        case DrawFont::Hour: return style.hourFont;
        case DrawFont::Default: return style.defaultFont;
    }
    return style.textFont;
}

void RenderDisplayList(QPainter& p, const DisplayList& list, const ViewStyle& style) {
    const QPalette& pal = style.palette;
    int clips = 0;
    for (const DrawOp& op : list.Ops()) {
        switch (op.kind) {
            case DrawOp::Kind::Fill:
                if (!op.rect.IsEmpty()) p.fillRect(ToQRect(op.rect), ResolveColor(op.brush, style));
                break;
            case DrawOp::Kind::Line:
                p.setPen(QPen(ResolveColor(op.pen, style), 0));
                DrawOpenLine(p, op.from, op.to);
                break;
            case DrawOp::Kind::Box:
                if (op.rect.IsEmpty()) break;
                p.setPen(QPen(ResolveColor(op.pen, style), 0));
                p.setBrush(ResolveColor(op.brush, style));
                p.drawRect(op.rect.left, op.rect.top, op.rect.Width() - 1, op.rect.Height() - 1);
                p.setBrush(Qt::NoBrush);
                break;
            case DrawOp::Kind::Text: {
                const QFont font = FontFor(op.font, style);
                p.setFont(font);
                p.setPen(ResolveColor(op.pen, style));
                QString text = QString::fromStdString(op.text);
                if (op.align & kTextNoClip) {
                    DrawUserText(p, QRect(op.rect.left, op.rect.top, 4000, 4000),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
                    break;
                }
                int flags = Qt::TextSingleLine;
                flags |= (op.align & kAlignRight) ? Qt::AlignRight : (op.align & kAlignHCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
                flags |= (op.align & kAlignVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
                if (op.align & kTextEllipsis) text = QFontMetrics(font).elidedText(text, Qt::ElideRight, op.rect.Width());
                DrawUserText(p, ToQRect(op.rect), flags, text);
                break;
            }
            case DrawOp::Kind::Icon:
                if (style.typeIcon) p.drawPixmap(QRect(op.rect.left, op.rect.top, 16, 16), style.typeIcon(op.icon));
                break;
            case DrawOp::Kind::EtchedRight:
                p.setPen(QPen(pal.color(QPalette::Dark), 0));
                DrawOpenLine(p, {op.rect.right - 2, op.rect.top}, {op.rect.right - 2, op.rect.bottom});
                p.setPen(QPen(pal.color(QPalette::Light), 0));
                DrawOpenLine(p, {op.rect.right - 1, op.rect.top}, {op.rect.right - 1, op.rect.bottom});
                break;
            case DrawOp::Kind::RoundFill:
            case DrawOp::Kind::RoundShadow: {
                p.save();
                p.setRenderHint(QPainter::Antialiasing, true);
                // The shadow darkens what lies below it, as a mask AND would.
                if (op.kind == DrawOp::Kind::RoundShadow) p.setCompositionMode(QPainter::CompositionMode_Multiply);
                p.fillPath(RoundPath(op.rect), ResolveColor(op.brush, style));
                p.restore();
                break;
            }
            case DrawOp::Kind::RoundFrame: {
                p.save();
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setPen(QPen(ResolveColor(op.pen, style), 1));
                const Rect& r = op.rect;
                p.drawRoundedRect(QRectF(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1), 5, 5);
                p.restore();
                break;
            }
            case DrawOp::Kind::PushClip:
                p.save();
                p.setClipRect(ToQRect(op.rect), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
                ++clips;
                break;
            case DrawOp::Kind::PopClip:
                if (clips > 0) {
                    p.restore();
                    --clips;
                }
                break;
        }
    }
    while (clips-- > 0) p.restore();
}

void DrawView(QPainter& painter, const CalendarLayout& layout, const ViewStyle& style) {
    DisplayList list;
    layout.Draw(list, style.target);
    painter.save();
    const bool grid = layout.Kind() == kViewDaily || layout.Kind() == kViewWeekday;
    if (grid && !style.target.printer) painter.translate(0, -style.target.scroll);
    RenderDisplayList(painter, list, style);
    painter.restore();
}

}  // namespace tv
