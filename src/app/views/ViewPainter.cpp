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

}  // namespace

ViewStyle ViewStyle::ForScreen() {
    ViewStyle s;
    s.palette = QApplication::palette();
    s.textFont = PaletteFont(ViewPalette::kTextFontHeight);
    s.hourFont = PaletteFont(ViewPalette::kHourFontHeight);
    s.defaultFont = QApplication::font();
    s.typeIcon = [](int i) { return icons::SmallTypeIcon(i); };
    return s;
}

QColor ResolveColor(const DrawColor& c, const QPalette& palette) {
    switch (c.role) {
        case DrawColor::Role::Rgb: return QColor(c.r, c.g, c.b);
        case DrawColor::Role::ButtonFace: return palette.color(QPalette::Button);
        case DrawColor::Role::ButtonHighlight: return palette.color(QPalette::Light);
        case DrawColor::Role::ButtonShadow: return palette.color(QPalette::Dark);
        case DrawColor::Role::Highlight: return palette.color(QPalette::Highlight);
        case DrawColor::Role::HighlightText: return palette.color(QPalette::HighlightedText);
        case DrawColor::Role::ToolTipBase: return palette.color(QPalette::ToolTipBase);
        case DrawColor::Role::ToolTipText: return palette.color(QPalette::ToolTipText);
    }
    return Qt::black;
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
                if (!op.rect.IsEmpty()) p.fillRect(ToQRect(op.rect), ResolveColor(op.brush, pal));
                break;
            case DrawOp::Kind::Line:
                p.setPen(QPen(ResolveColor(op.pen, pal), 0));
                DrawOpenLine(p, op.from, op.to);
                break;
            case DrawOp::Kind::Box:
                if (op.rect.IsEmpty()) break;
                p.setPen(QPen(ResolveColor(op.pen, pal), 0));
                p.setBrush(ResolveColor(op.brush, pal));
                p.drawRect(op.rect.left, op.rect.top, op.rect.Width() - 1, op.rect.Height() - 1);
                p.setBrush(Qt::NoBrush);
                break;
            case DrawOp::Kind::Text: {
                const QFont font = FontFor(op.font, style);
                p.setFont(font);
                p.setPen(ResolveColor(op.pen, pal));
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
                p.fillPath(RoundPath(op.rect), ResolveColor(op.brush, pal));
                p.restore();
                break;
            }
            case DrawOp::Kind::RoundFrame: {
                p.save();
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setPen(QPen(ResolveColor(op.pen, pal), 1));
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
