// The sound picker's list: "<No Sound>" and the WAV files of the Sound folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tv {

// More entries than this make no usable drop-down; the rest of a huge folder is left out.
constexpr size_t kMaxSoundFiles = 10000;

// Regular files of folder whose extension is ".wav" in any letter case, in the order the
// file system lists them. A name that is not UTF-8 is left out: no text can name it. A
// missing folder gives no files.
std::vector<std::string> ListSoundFiles(const std::string& folder);
// The files of several folders, the first folder's first; a name already listed (letter case
// aside) is not listed again, because playing it finds the first folder's file.
std::vector<std::string> ListSoundFiles(const std::vector<std::string>& folders);

// Comparison without regard to case, in every script.
bool SoundNamesEqual(const std::string& a, const std::string& b);

struct SoundChoices {
    std::vector<std::string> entries;  // entries[0] is "<No Sound>"
    size_t selected = 0;

    // The sound an entry stands for: empty for "<No Sound>" or an index past the end.
    std::string SoundAt(size_t index) const;
};
// The entry equal to current without regard to case is selected, otherwise "<No Sound>".
SoundChoices BuildSoundChoices(const std::vector<std::string>& files, const std::string& current);

}  // namespace tv
