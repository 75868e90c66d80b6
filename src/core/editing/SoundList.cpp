// Listing the Sound folder and choosing the current sound in it.
#include "SoundList.h"

#include <filesystem>
#include <set>

#include "texts/UserTexts.h"
#include "model/TextCodec.h"

namespace tv {

namespace {

unsigned char FoldCp1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A: return 0x9A;  // S caron
        case 0x8C: return 0x9C;  // OE
        case 0x8E: return 0x9E;  // Z caron
        case 0x9F: return 0xFF;  // Y diaeresis
        default: return c;
    }
}

bool HasWavExtension(const std::string& name) {
    static const std::string ext = ".wav";
    return name.size() > ext.size() && SoundNamesEqual(name.substr(name.size() - ext.size()), ext);
}

}  // namespace

bool SoundNamesEqual(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCp1252(static_cast<unsigned char>(a[i])) != FoldCp1252(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<std::string> ListSoundFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec), end;
    for (; !ec && it != end && files.size() < kMaxSoundFiles; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string utf8 = it->path().filename().string();
        const std::string bytes = Utf8ToCp1252(utf8);
        if (Cp1252ToUtf8(bytes) != utf8) continue;
        if (HasWavExtension(bytes)) files.push_back(bytes);
    }
    return files;
}

std::vector<std::string> ListSoundFiles(const std::vector<std::string>& folders) {
    std::vector<std::string> files;
    std::set<std::string> listed;  // folded names, as SoundNamesEqual compares them
    for (const std::string& folder : folders) {
        for (std::string& f : ListSoundFiles(folder)) {
            if (files.size() >= kMaxSoundFiles) return files;
            std::string folded = f;
            for (char& c : folded) c = static_cast<char>(FoldCp1252(static_cast<unsigned char>(c)));
            if (listed.insert(std::move(folded)).second) files.push_back(std::move(f));
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
