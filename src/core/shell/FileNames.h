// Rules for the names the user types into the program's file dialogs.
#pragma once

#include <string>

namespace tv {

// The path with ".ext" added when its file name has no extension of its own ("backup" ->
// "backup.bak"; "backup.old" stays; "backup." -> "backup.bak"). A path that ends in '/' names
// no file and is left as it is.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace tv
