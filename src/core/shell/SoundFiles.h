// Finding a sound file of the Sound folder by the name an event or the settings store.
#pragma once

#include <string>
#include <vector>

namespace tv {

// The path of the named file in the folder, or empty when there is none. Names come from
// files made on a system that ignores letter case, so "alarm.wav" finds "Alarm.WAV" when no
// exact match exists. A name that is empty, absolute or climbs out of the folder ("..")
// finds nothing.
std::string FindSoundFile(const std::string& folder, const std::string& name);
// The same over several folders: the first folder that has the file wins.
std::string FindSoundFile(const std::vector<std::string>& folders, const std::string& name);

}  // namespace tv
