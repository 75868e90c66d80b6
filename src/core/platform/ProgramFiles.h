// Where the running program lives on this system.
#pragma once

#include <string>

namespace tv {

// The folder of the running executable, ending with '/'; "./" when the system cannot say.
std::string ExecutableFolder();

}  // namespace tv
