// The process environment behind a lookup function, so that rules reading it can be tested with
// environments made up in code.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tv {

using EnvLookup = std::function<std::optional<std::string>(const char* name)>;

// The environment of this process.
EnvLookup ProcessEnvironment();

}  // namespace tv
