// Listing the Sound folder and choosing the current sound in it.
#include "SoundList.h"

#include <filesystem>
#include <set>

#include "texts/UserTexts.h"
#include "model/TextCodec.h"

namespace tv {

namespace {

bool HasWavExtension(const std::string& name) {
    static const std::string ext = ".wav";
    return name.size() > ext.size() && SoundNamesEqual(name.substr(name.size() - ext.size()), ext);
}

}  // namespace

bool SoundNamesEqual(const std::string& a, const std::string& b) { return a == b || CaseFold(a) == CaseFold(b); }

std::vector<std::string> ListSoundFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec), end;
    for (; !ec && it != end && files.size() < kMaxSoundFiles; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (HasWavExtension(name) && IsValidUtf8(name)) files.push_back(std::move(name));
    }
    return files;
}

std::vector<std::string> ListSoundFiles(const std::vector<std::string>& folders) {
    std::vector<std::string> files;
    std::set<std::string> listed;  // folded names, as SoundNamesEqual compares them
    for (const std::string& folder : folders) {
        for (std::string& f : ListSoundFiles(folder)) {
            if (files.size() >= kMaxSoundFiles) return files;
            if (listed.insert(CaseFold(f)).second) files.push_back(std::move(f));
        }
    }
    return files;
}

std::string SoundChoices::SoundAt(size_t index) const {
    if (index == 0 || index >= entries.size()) return {};
    return entries[index];
}

SoundChoices BuildSoundChoices(const std::vector<std::string>& files, const std::string& current) {
    SoundChoices choices;
    choices.entries.reserve(files.size() + 1);
    choices.entries.push_back(texts::kNoSound);
    for (const std::string& f : files) {
        if (choices.selected == 0 && !current.empty() && SoundNamesEqual(f, current))
            choices.selected = choices.entries.size();
        choices.entries.push_back(f);
    }
    return choices;
}

}  // namespace tv
