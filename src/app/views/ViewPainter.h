// Replays the views' drawing lists on a QPainter: the one drawing routine for screen and paper.
#pragma once

#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <functional>

#include "views/CalendarLayout.h"
#include "views/DisplayList.h"
#include "views/ViewColors.h"

class QPainter;

namespace tv {

// What a drawing list needs from the desktop: its colours, the palette's fonts and the icons.
struct ViewStyle {
    QPalette palette;
    ViewScheme scheme{DesktopColors{}};  // the views' colours for that palette
    QFont textFont;     // "Arial", cell height 16
    QFont hourFont;     // "Arial", cell height 26
    QFont defaultFont;  // the desktop's font
    std::function<QPixmap(int)> typeIcon;
    DrawTarget target;

    // The desktop's palette and the palette fonts, for the screen (the target is left to set).
    static ViewStyle ForScreen();
    // Draws with these colours: the palette and the views' colours that follow it.
    void SetPalette(const QPalette& p);
};

// The desktop colours of a palette that the views' colours follow.
DesktopColors DesktopColorsOf(const QPalette& palette);
QColor ResolveColor(const DrawColor& color, const ViewStyle& style);
QFont FontFor(DrawFont font, const ViewStyle& style);

// Draws every operation of the list in order.
void RenderDisplayList(QPainter& painter, const DisplayList& list, const ViewStyle& style);

// Draws the whole calendar view for style.target: on screen the content is shifted up by the
// target's scroll offset; on paper the selection and icons are left out. The printing code
// calls this with a printer's painter after LayoutItems(drawRect).
void DrawView(QPainter& painter, const CalendarLayout& layout, const ViewStyle& style);

}  // namespace tv
