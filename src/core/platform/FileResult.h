// What file operations answer: success, or what went wrong in words a user can act on.
#pragma once

#include <cstddef>
#include <string>

namespace tv {

struct FileResult {
    bool ok = true;
    std::string message;  // why it failed, naming the file
    std::string note;     // something the user should know even on success

    static FileResult Ok() { return {}; }
    static FileResult Failed(std::string why) { return {false, std::move(why), {}}; }
    explicit operator bool() const { return ok; }
};

enum class LoadStatus {
    Ok,          // read completely
    Missing,     // no file: start empty
    WrongTag,    // not a file of this kind; nothing was read
    Damaged,     // read up to a damaged or missing part; what came before is kept
    Unreadable,  // could not be opened or read at all
};

struct LoadReport {
    LoadStatus status = LoadStatus::Ok;
    std::string message;  // empty when Ok or Missing
    size_t itemsRead = 0;
    size_t renumbered = 0;  // records whose ids were repaired

    // The file exists but was not read completely: saving over it would lose the rest.
    bool NeedsPreservation() const {
        return status == LoadStatus::WrongTag || status == LoadStatus::Damaged || status == LoadStatus::Unreadable;
    }
};

}  // namespace tv
