// Finding a sound file of the Sound folder by the name an event or the settings store.
#include "SoundFiles.h"

#include <filesystem>

#include "model/TextCodec.h"

namespace tv {

std::string FindSoundFile(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    if (name.empty() || name.front() == '/' || folder.empty()) return {};
    const fs::path rel(name);
    for (const fs::path& part : rel)
        if (part == "..") return {};
    std::error_code ec;
    const fs::path exact = fs::path(folder) / rel;
    if (fs::is_regular_file(exact, ec)) return exact.string();
    if (rel.has_parent_path()) return {};
    // The sound picker matches names without regard to case in every script; so does playing.
    const std::string wanted = CaseFold(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (CaseFold(it->path().filename().string()) == wanted && it->is_regular_file(ec)) return it->path().string();
    }
    return {};
}

std::string FindSoundFile(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& folder : folders)
        if (std::string path = FindSoundFile(folder, name); !path.empty()) return path;
    return {};
}

}  // namespace tv
