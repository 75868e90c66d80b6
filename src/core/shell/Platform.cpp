// Start-up decisions about the desktop session, made from the environment alone.
#include "Platform.h"

namespace tv {

std::optional<std::string> ChoosePlatformPlugin(const EnvLookup& env) {
    auto set = [&](const char* name) {
        const auto v = env(name);
        return v && !v->empty();
    };
    if (set("QT_QPA_PLATFORM")) return std::nullopt;
    if (set("WAYLAND_DISPLAY") && set("DISPLAY")) return std::string("xcb");
    return std::nullopt;
}

}  // namespace tv
