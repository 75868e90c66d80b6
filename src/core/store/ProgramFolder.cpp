// The process-wide program folder and the folders searched for shipped files.
#include "ProgramFolder.h"

#include "platform/DataFolder.h"
#include "platform/Environment.h"

namespace tv {

namespace {
std::string g_folder = "./";
}

void SetProgramFolder(const std::string& folder) {
    g_folder = folder.empty() ? std::string("./") : folder;
    if (g_folder.back() != '/') g_folder += '/';
}

const std::string& GetProgramFolder() { return g_folder; }

std::vector<std::string> ShippedFolders() {
    return ShippedDataFolders(GetProgramFolder(), ProcessEnvironment(), ExecutableFolder());
}

std::string FindShippedFile(const std::string& relative) { return FindInFolders(ShippedFolders(), relative); }

std::vector<std::string> SoundFolders() {
    std::vector<std::string> folders = ShippedFolders();
    for (std::string& f : folders) f += "Sound/";
    return folders;
}

}  // namespace tv
