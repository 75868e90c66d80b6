// What a view draws, as a list of simple operations that a painter replays on screen or paper.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ViewGeometry.h"

namespace tv {

// A colour: either fixed red, green, blue, or one of the desktop's own colours, which only the
// painter knows, or one of the views' colours, which follow the desktop's (ViewColors.h).
struct DrawColor {
    enum class Role : uint8_t {
        Rgb,
        ButtonFace,       // 3-D face of buttons and bars
        ButtonHighlight,  // the light edge of 3-D elements
        ButtonShadow,     // the dark edge of 3-D elements
        ButtonText,       // text on the 3-D face
        Highlight,        // selected rows
        HighlightText,
        ToolTipBase,
        ToolTipText,
        // The views' own colours: on a light desktop exactly as they always were.
        Page,           // the pages' background (white)
        Ink,            // their text (black)
        Frame,          // the lines between days and around boxes (black)
        Grid,           // the fine lines of the grids (silver)
        Office,         // office hours (light yellow)
        OutsideOffice,  // the rest of the day (yellow)
        OddMonth,       // the days of odd months (light grey)
        Weekend,        // the names of Saturday and Sunday (red)
    };
    Role role = Role::Rgb;
    uint8_t r = 0, g = 0, b = 0;
    // A fixed colour that must stay legible as text on this background (Rgb: none), such as a
    // type's text colour, which the user chose for some background or other.
    Role legibleOn = Role::Rgb;

    static constexpr DrawColor Rgb(int r, int g, int b) {
        return {Role::Rgb, static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
    }
    static constexpr DrawColor System(Role role) { return {role, 0, 0, 0}; }
    // From a stored 0x00BBGGRR colour reference.
    static constexpr DrawColor FromColorRef(uint32_t c) {
        return Rgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
    }
    // A colour reference drawn as text on a background role, kept legible there.
    static constexpr DrawColor TextOn(uint32_t c, Role background) {
        DrawColor color = FromColorRef(c);
        color.legibleOn = background;
        return color;
    }
    bool operator==(const DrawColor&) const = default;
};

// The shared drawing palette of the calendar views.
namespace ViewPalette {
constexpr DrawColor kSelection = DrawColor::Rgb(49, 106, 197);
constexpr DrawColor kSelectedText = DrawColor::Rgb(255, 255, 255);
constexpr DrawColor kPage = DrawColor::System(DrawColor::Role::Page);
constexpr DrawColor kInk = DrawColor::System(DrawColor::Role::Ink);
constexpr DrawColor kFrame = DrawColor::System(DrawColor::Role::Frame);
constexpr DrawColor kGrid = DrawColor::System(DrawColor::Role::Grid);
constexpr DrawColor kOffice = DrawColor::System(DrawColor::Role::Office);
constexpr DrawColor kOutsideOffice = DrawColor::System(DrawColor::Role::OutsideOffice);
constexpr DrawColor kOddMonth = DrawColor::System(DrawColor::Role::OddMonth);
constexpr DrawColor kWeekend = DrawColor::System(DrawColor::Role::Weekend);
constexpr DrawColor kButtonText = DrawColor::System(DrawColor::Role::ButtonText);
// Both fonts are "Arial"; heights are character-cell heights in pixels, as the window system
// measures them.
constexpr const char* kFontFace = "Arial";
constexpr int kTextFontHeight = 16;
constexpr int kHourFontHeight = 26;
constexpr int kFontWeight = 400;
}  // namespace ViewPalette

// Text and Hour are the palette's fonts; Default is the desktop's ordinary font.
enum class DrawFont : uint8_t { Text, Hour, Default };

// Text placement flags.
enum : int {
    kAlignLeft = 0,
    kAlignHCenter = 1,
    kAlignRight = 2,
    kAlignTop = 0,
    kAlignVCenter = 4,
    kTextEllipsis = 8,  // cut with "..." when too long
    kTextNoClip = 16,   // text drawn at the rectangle's top-left, never cut (a plain text-out)
};

struct DrawOp {
    enum class Kind : uint8_t {
        Fill,         // rect with brush
        Line,         // from -> to with pen, the end point left out
        Box,          // rect outlined with pen (1 pixel, inside the rect) and filled with brush
        Text,         // text in rect with pen as its colour, font and align flags
        Icon,         // small type icon `icon` at rect.left, rect.top (16 x 16)
        EtchedRight,  // an etched 3-D edge along the right side of rect
        RoundFill,    // rect with rounded corners (radius 5) filled with brush
        RoundFrame,   // the same outline with pen
        RoundShadow,  // rounded rect darkened like a mask: brush AND-ed with what is below
        PushClip,     // clip further drawing to rect (inside any clip already set)
        PopClip,
    };
    Kind kind = Kind::Fill;
    Rect rect;
    Point from, to;
    DrawColor pen, brush;
    DrawFont font = DrawFont::Text;
    int align = 0;
    int icon = -1;
    std::string text;  // UTF-8
};

// The operations in drawing order, with small builders that keep the drawing code readable.
class DisplayList {
public:
    void Fill(const Rect& r, DrawColor brush) {
        DrawOp& op = Add(DrawOp::Kind::Fill, r);
        op.brush = brush;
    }
    void Line(Point from, Point to, DrawColor pen) {
        DrawOp& op = Add(DrawOp::Kind::Line, {});
        op.from = from;
        op.to = to;
        op.pen = pen;
    }
    void Box(const Rect& r, DrawColor pen, DrawColor brush) {
        DrawOp& op = Add(DrawOp::Kind::Box, r);
        op.pen = pen;
        op.brush = brush;
    }
    void Text(const Rect& r, std::string text, DrawFont font, DrawColor color, int align) {
        DrawOp& op = Add(DrawOp::Kind::Text, r);
        op.text = std::move(text);
        op.font = font;
        op.pen = color;
        op.align = align;
    }
    void TextAt(int x, int y, std::string text, DrawFont font, DrawColor color) {
        Text({x, y, x, y}, std::move(text), font, color, kTextNoClip);
    }
    void Icon(int x, int y, int icon) { Add(DrawOp::Kind::Icon, {x, y, x + 16, y + 16}).icon = icon; }
    void EtchedRight(const Rect& r) { Add(DrawOp::Kind::EtchedRight, r); }
    void RoundFill(const Rect& r, DrawColor brush) { Add(DrawOp::Kind::RoundFill, r).brush = brush; }
    void RoundFrame(const Rect& r, DrawColor pen) { Add(DrawOp::Kind::RoundFrame, r).pen = pen; }
    void RoundShadow(const Rect& r, DrawColor brush) { Add(DrawOp::Kind::RoundShadow, r).brush = brush; }
    void PushClip(const Rect& r) { Add(DrawOp::Kind::PushClip, r); }
    void PopClip() { Add(DrawOp::Kind::PopClip, {}); }

    const std::vector<DrawOp>& Ops() const { return m_ops; }
    size_t Size() const { return m_ops.size(); }

private:
    DrawOp& Add(DrawOp::Kind kind, const Rect& r) {
        DrawOp& op = m_ops.emplace_back();
        op.kind = kind;
        op.rect = r;
        return op;
    }
    std::vector<DrawOp> m_ops;
};

}  // namespace tv
