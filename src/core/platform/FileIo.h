// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "FileResult.h"

namespace tv {

// No file of the program's own ever comes near this; a bigger one is not ours.
constexpr size_t kMaxFileSize = size_t(1) << 30;

enum class ReadStatus { Ok, Missing, Failed };

// Reads the whole file into out. On failure out is empty and why says what went wrong.
ReadStatus ReadWholeFile(const std::string& path, std::string& out, std::string& why);

// The same file read front to back in pieces, for readers that need not hold all of it: the
// same checks on opening, and no more bytes than the file had when it was opened.
class FileReader {
public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    ReadStatus Open(const std::string& path, std::string& why);
    // The bytes not yet read of those the file had when opened.
    size_t Remaining() const { return m_remaining; }
    // Reads up to n bytes into to; fewer only at the end (or when the file shrank meanwhile).
    // False on a read error, with why.
    bool Read(char* to, size_t n, size_t& got, std::string& why);

private:
    int m_fd = -1;
    std::string m_path;
    size_t m_remaining = 0;
};

// A temporary file of a save that is older than this was left by a save that never finished.
constexpr std::chrono::minutes kStaleTemporaryFileAge{10};

// Who may read a saved file, and where a symbolic link in its place may lead the save.
enum class SaveScope {
    // A file the user named: an existing file keeps its permissions (a new one gets the
    // umask's), and a symbolic link is saved through to the file it points to.
    UserFile,
    // A file of the data folder: readable by its owner only (0600) whatever the umask, and
    // saved through a link only when the link stays inside the folder. A link that leads out
    // is replaced by the file itself (the result's note says so), so a planted link can never
    // make a save overwrite a file elsewhere.
    DataFolder,
};

// Writes data to a temporary file beside path, flushes it to the disk and renames it over
// path, so that path holds either the old or the new content whatever happens meanwhile.
// On failure the old file is untouched and the temporary file removed. After a successful
// save, temporary files of the same target left by saves that were killed are removed.
FileResult WriteFileAtomically(const std::string& path, std::string_view data, SaveScope scope = SaveScope::UserFile);

// The same for content made while it is written: produce hands the bytes to write in as many
// pieces as it likes (write answers false once writing has failed; produce may stop then).
using ChunkWrite = std::function<bool(std::string_view)>;
using ContentProducer = std::function<void(const ChunkWrite& write)>;
FileResult WriteFileAtomically(const std::string& path, const ContentProducer& produce,
                               SaveScope scope = SaveScope::UserFile);

// Copies a file that could not be read completely to "<path>.damaged-YYYYMMDD-HHMMSS" before
// anything is saved over it, readable by its owner only. copyPath is empty when there was no file to keep. Answers false
// when the file exists but could not be copied.
bool KeepDamagedCopy(const std::string& path, std::string& copyPath);

// Tests replace the write call to simulate full disks and write errors. The function has
// write(2)'s contract; pass nullptr to restore the real call.
using WriteFunction = std::function<long(int fd, const void* data, size_t size)>;
void SetWriteFunctionForTesting(WriteFunction fn);

}  // namespace tv
