// tallyvane-cli: the program's core behind a scriptable command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tv::cli {

// Runs one command line (without the program name). Answers the exit status: 0 on success,
// 1 on any error, with the error's text on err.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tv::cli
