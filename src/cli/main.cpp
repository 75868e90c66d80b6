// tallyvane-cli entry point.
#include <clocale>
#include <iostream>

#include "Cli.h"

int main(int argc, char** argv) {
    // Day and month names follow the user's locale, as in the program.
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tv::cli::Run(args, std::cout, std::cerr);
}
