// The process-wide program folder.
#include "ProgramFolder.h"

namespace tv {

namespace {
std::string g_folder = "./";
}

void SetProgramFolder(const std::string& folder) {
    g_folder = folder.empty() ? std::string("./") : folder;
    if (g_folder.back() != '/') g_folder += '/';
}

const std::string& GetProgramFolder() { return g_folder; }

}  // namespace tv
