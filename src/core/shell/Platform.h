// Start-up decisions about the desktop session, made from the environment alone.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tv {

using EnvLookup = std::function<std::optional<std::string>(const char* name)>;

// The Qt platform plugin to ask for, or nothing to leave Qt's own choice. A Wayland session
// with XWayland runs the program through X11, where a window may place itself and stay above
// the others (a Wayland client can do neither); a plugin the user chose is never overridden.
std::optional<std::string> ChoosePlatformPlugin(const EnvLookup& env);

// The environment of this process.
EnvLookup ProcessEnvironment();

}  // namespace tv
