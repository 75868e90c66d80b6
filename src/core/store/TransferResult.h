// What the transfer commands (backup, restore, export and the imports) answer.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tv {

enum class TransferError {
    None,
    WrongTag,      // not a file of the expected kind; nothing was read past the tag
    FileError,     // the file could not be opened, read or written
    ArchiveError,  // the file ends early or holds impossible data
};

struct TransferResult {
    TransferError error = TransferError::None;
    std::string message;                     // what to tell the user when error != None
    std::string note;                        // a file read to its end that is still damaged
    std::vector<std::string> refusedTypes;   // names refused as duplicates, one message each
    size_t typesAdded = 0;
    size_t eventsAdded = 0;
    size_t eventsRefused = 0;                // no free id for them
    bool ok() const { return error == TransferError::None; }
};

}  // namespace tv
