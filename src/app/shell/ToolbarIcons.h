// The main window's toolbar pictures, drawn so that they match each other on any desktop.
#pragma once

#include <QIcon>

namespace tv {

// For the commands New, Delete, Modify, Daily, Week Day, Weekly, Monthly, All and Find; an
// empty icon for any other.
QIcon ToolbarIcon(int commandId);

}  // namespace tv
