// An environment made up in code, for the rules that read environment variables.
#pragma once

#include <map>
#include <string>

#include "platform/Environment.h"

namespace tvtest {

inline tv::EnvLookup Env(std::map<std::string, std::string> vars) {
    return [vars](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
}

}  // namespace tvtest
