// File name rules of the file dialogs.
#include "FileNames.h"

namespace tv {

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    if (path.empty() || path.back() == '/' || extension.empty()) return path;
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && dot >= nameStart) {
        if (dot + 1 < path.size()) return path;  // it has one
        return path + extension;                 // "name." asks for the default
    }
    return path + "." + extension;
}

}  // namespace tv
