// The program's icons: application and tray icon, and the two sets of 16 event-type icons.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tv::icons {

// Cuts the type icons from the compiled-in strips (":/icons/types-small.png", 16 x 16 each,
// and ":/icons/types-large.png", 32 x 32). Where the icons were not built in, each missing
// picture is drawn instead, so the program always has something to show. Safe to call again.
void Load();

QIcon AppIcon();
QIcon TrayIcon();
// Index 0..15; any other index shows icon 0.
QPixmap SmallTypeIcon(int index);
QPixmap LargeTypeIcon(int index);
// Both sizes, for window captions and menus.
QIcon TypeIcon(int index);

}  // namespace tv::icons
