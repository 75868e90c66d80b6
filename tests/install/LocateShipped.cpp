// tallyvane-locate-shipped FILE...: prints where the program would find each shipped file (as
// "help/index.html"), one line each, and exits 1 when one is nowhere. scripts/check-install.sh
// copies it beside an installed tallyvane to see the install through the program's own eyes.
#include <iostream>

#include "store/ProgramFolder.h"

int main(int argc, char** argv) {
    // An empty program folder, as a first start has, so only shipped copies can answer.
    tv::SetProgramFolder("/nonexistent/");
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string found = tv::FindShippedFile(argv[i]);
        std::cout << (found.empty() ? "-" : found) << "\n";
        if (found.empty()) status = 1;
    }
    return status;
}
