// tallyvane-cli entry point; built twice: the everyday tool, and with TALLYVANE_CLI_FULL the full
// tool that also carries the iCalendar and sync commands.
#include <clocale>
#include <iostream>

#include "Cli.h"
#ifdef TALLYVANE_CLI_FULL
#include "ExtendedCommands.h"
#endif

int main(int argc, char** argv) {
    // Day and month names follow the user's locale, as in the program.
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef TALLYVANE_CLI_FULL
    return tv::cli::Run(args, std::cout, std::cerr, &tv::cli::FullToolCommands());
#else
    return tv::cli::Run(args, std::cout, std::cerr, nullptr);
#endif
}
