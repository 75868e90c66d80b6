// Start-up decisions about the desktop session, made from the environment alone.
#pragma once

#include <optional>
#include <string>

#include "platform/Environment.h"

#ifndef TALLYVANE_APP_ID
#define TALLYVANE_APP_ID "io.github.tallyvane.Tallyvane"
#endif

namespace tv {

// The program's id on the desktop: the name of its desktop entry and of its icon, and its
// software-centre id. The build defines it once for the installed files and the code.
constexpr const char* kDesktopId = TALLYVANE_APP_ID;

// The Qt platform plugin to ask for, or nothing to leave Qt's own choice. A Wayland session
// with XWayland runs the program through X11, where a window may place itself and stay above
// the others (a Wayland client can do neither); a plugin the user chose is never overridden.
std::optional<std::string> ChoosePlatformPlugin(const EnvLookup& env);

}  // namespace tv
