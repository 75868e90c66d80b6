// The process environment through getenv.
#include "Environment.h"

#include <cstdlib>

namespace tv {

EnvLookup ProcessEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const char* v = std::getenv(name);
        if (!v) return std::nullopt;
        return std::string(v);
    };
}

}  // namespace tv
