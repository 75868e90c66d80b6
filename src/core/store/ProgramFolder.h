// The program folder (the data folder): where the event file and the type file are, and where
// shipped files (sounds, help) are looked for first.
#pragma once

#include <string>
#include <vector>

#include "platform/ProgramFiles.h"

namespace tv {

// Set once at start-up (the resolved data folder, or --data-dir); always ends with '/'.
void SetProgramFolder(const std::string& folder);
const std::string& GetProgramFolder();

inline std::string EventFilePath() { return GetProgramFolder() + "Evnt.est"; }
inline std::string TypeFilePath() { return GetProgramFolder() + "Type.ptt"; }
// The user's own sounds; the shipped ones are in the other SoundFolders().
inline std::string SoundFolder() { return GetProgramFolder() + "Sound/"; }

// The folders shipped files are looked for in, the program folder first (ShippedDataFolders
// over this process's environment and executable).
std::vector<std::string> ShippedFolders();
// The first copy of a shipped file such as "help/index.html"; empty when there is none.
std::string FindShippedFile(const std::string& relative);
// Every Sound folder, the user's own first.
std::vector<std::string> SoundFolders();

}  // namespace tv
