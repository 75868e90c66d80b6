// The program folder: where the event file, the type file, sounds and help are found.
#pragma once

#include <string>

#include "platform/ProgramFiles.h"

namespace tv {

// Set once at start-up (the executable's folder, or --data-dir); always ends with '/'.
void SetProgramFolder(const std::string& folder);
const std::string& GetProgramFolder();

inline std::string EventFilePath() { return GetProgramFolder() + "Evnt.est"; }
inline std::string TypeFilePath() { return GetProgramFolder() + "Type.ptt"; }
inline std::string SoundFolder() { return GetProgramFolder() + "Sound/"; }

}  // namespace tv
