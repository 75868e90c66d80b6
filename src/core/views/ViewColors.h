// The views' colours on the user's desktop: light desktops keep the classic colours, dark ones
// get their own, and text colours are kept legible on whatever they are drawn on.
#pragma once

#include "DisplayList.h"

namespace tv {

// The relative luminance of a fixed colour (0 black .. 1 white) and the contrast of two, from
// 1 (the same) to 21 (black on white), as accessibility guidelines measure them.
double RelativeLuminance(DrawColor c);
double ContrastRatio(DrawColor a, DrawColor b);
// a and b mixed: 0 gives a, 1 gives b.
DrawColor Mix(DrawColor a, DrawColor b, double t);

// Text must stand out from its background at least this much; large text needs 3:1.
constexpr double kMinTextContrast = 3.0;
// The contrast rule: text as it is where it stands out enough, otherwise moved towards white
// or black, whichever its background contrasts with more, just as far as needed.
DrawColor LegibleOn(DrawColor text, DrawColor background, double minContrast = kMinTextContrast);

// The desktop colours the views' colours follow (all fixed colours).
struct DesktopColors {
    DrawColor base = DrawColor::Rgb(255, 255, 255);  // background of lists and pages
    DrawColor text = DrawColor::Rgb(0, 0, 0);
    DrawColor button = DrawColor::Rgb(240, 240, 240);  // the 3-D face of bars and headers
    DrawColor buttonText = DrawColor::Rgb(0, 0, 0);
};

// The views' colours (the roles Page to Weekend) for one desktop.
class ViewScheme {
public:
    explicit ViewScheme(const DesktopColors& desktop);
    bool IsDark() const { return m_dark; }
    // The fixed colour of a view role; any other role answers itself.
    DrawColor Resolve(DrawColor::Role role) const;

private:
    bool m_dark = false;
    DrawColor m_page, m_ink, m_frame, m_grid, m_office, m_outsideOffice, m_oddMonth, m_weekend;
};

}  // namespace tv
