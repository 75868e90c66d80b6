// The process-wide program folder.
#include "ProgramFolder.h"

#include <unistd.h>

#include <climits>

namespace tv {

namespace {
std::string g_folder = "./";
}

void SetProgramFolder(const std::string& folder) {
    g_folder = folder.empty() ? std::string("./") : folder;
    if (g_folder.back() != '/') g_folder += '/';
}

const std::string& GetProgramFolder() { return g_folder; }

std::string ExecutableFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace tv
