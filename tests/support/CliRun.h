// tallyvane-cli run in-process, with its exit status and everything it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "ExtendedCommands.h"

namespace tvtest {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = tv::cli::Run(args, out, err, &tv::cli::FullToolCommands());
    return {status, out.str(), err.str()};
}

// On a data folder at a fixed present, so that the answers do not depend on the day of the run.
inline CliRun RunCliOn(const std::string& folder, const std::string& now, std::vector<std::string> args) {
    args.insert(args.begin(), {"--data-dir", folder, "--now", now});
    return RunCli(args);
}

}  // namespace tvtest
