// Where the running program lives on this system.
#pragma once

#include <string>

namespace tv {

// The folder of the running executable, ending with '/'; "./" when the system cannot say.
std::string ExecutableFolder();

// The file name part of a path; "/usr/bin/tallyvane (deleted)" gives "tallyvane", because a
// program rebuilt while it runs is still the same program.
std::string ExecutableNameOf(const std::string& path);

}  // namespace tv
