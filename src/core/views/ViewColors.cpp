// The views' colours on the user's desktop and the contrast rule for text.
#include "ViewColors.h"

#include <algorithm>
#include <cmath>

namespace tv {

namespace {

double Linear(uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

constexpr DrawColor kWhite = DrawColor::Rgb(255, 255, 255);
constexpr DrawColor kBlack = DrawColor::Rgb(0, 0, 0);

// The classic colours, which a light desktop keeps.
constexpr DrawColor kClassicOffice = DrawColor::Rgb(255, 255, 213);
constexpr DrawColor kClassicOutsideOffice = DrawColor::Rgb(255, 244, 188);
constexpr DrawColor kClassicOddMonth = DrawColor::Rgb(222, 222, 222);
constexpr DrawColor kClassicGrid = DrawColor::Rgb(192, 192, 192);
constexpr DrawColor kClassicWeekend = DrawColor::Rgb(255, 0, 0);

}  // namespace

double RelativeLuminance(DrawColor c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

double ContrastRatio(DrawColor a, DrawColor b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

DrawColor Mix(DrawColor a, DrawColor b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](uint8_t x, uint8_t y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return DrawColor::Rgb(channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b));
}

DrawColor LegibleOn(DrawColor text, DrawColor background, double minContrast) {
    if (ContrastRatio(text, background) >= minContrast) return text;
    const DrawColor target = ContrastRatio(kWhite, background) >= ContrastRatio(kBlack, background) ? kWhite : kBlack;
    // Twenty steps are finer than the eye tells apart and keep the colour's hue where it can.
    for (int step = 1; step <= 20; ++step) {
        const DrawColor moved = Mix(text, target, step / 20.0);
        if (ContrastRatio(moved, background) >= minContrast) return moved;
    }
    return target;
}

ViewScheme::ViewScheme(const DesktopColors& d) : m_dark(RelativeLuminance(d.base) < 0.4) {
    m_page = d.base;
    m_ink = d.text;
    if (!m_dark) {
        m_frame = kBlack;
        m_grid = kClassicGrid;
        m_office = kClassicOffice;
        m_outsideOffice = kClassicOutsideOffice;
        m_oddMonth = kClassicOddMonth;
    } else {
        // On a dark page the shading keeps its warm tint and the order of light and dark:
        // office hours stand out a little more than the rest of the day.
        m_frame = Mix(d.base, d.text, 0.55);
        m_grid = Mix(d.base, d.text, 0.25);
        m_office = Mix(d.base, kClassicOutsideOffice, 0.16);
        m_outsideOffice = Mix(d.base, kClassicOutsideOffice, 0.07);
        m_oddMonth = Mix(d.base, d.text, 0.09);
    }
    m_weekend = LegibleOn(kClassicWeekend, d.button);
}

DrawColor ViewScheme::Resolve(DrawColor::Role role) const {
    using Role = DrawColor::Role;
    switch (role) {
        case Role::Page: return m_page;
        case Role::Ink: return m_ink;
        case Role::Frame: return m_frame;
        case Role::Grid: return m_grid;
        case Role::Office: return m_office;
        case Role::OutsideOffice: return m_outsideOffice;
        case Role::OddMonth: return m_oddMonth;
        case Role::Weekend: return m_weekend;
        default: return DrawColor::System(role);
    }
}

}  // namespace tv
