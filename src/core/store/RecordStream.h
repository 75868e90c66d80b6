// Where the list readers take their records from: bytes in memory, or a file read in pieces.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "model/Archive.h"
#include "platform/FileIo.h"

namespace tv {

// A large event file is read through a window of a few hundred kilobytes instead of being
// copied whole into memory first: the reader works on bytes that are still in the cache, and
// no memory the size of the file is ever touched.
class RecordStream {
public:
    // Reads straight from ar, which is left after what was read.
    explicit RecordStream(ArchiveReader& ar) : m_ar(&ar) {}
    // Reads file, which was opened and is not read by anyone else meanwhile.
    explicit RecordStream(FileReader& file);
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // Runs read on the next record (or group of fields). When the window ends before the record
    // does while the file goes on, the window is refilled and read runs again from the record's
    // start; read must therefore leave nothing behind when it throws.
    template <class Fn>
    void Read(Fn&& read) {
        if (!m_file) {
            read(*m_ar);
            return;
        }
        if (m_ar->Remaining() < kAhead && m_file->Remaining() > 0) Refill(m_ar->Position(), m_ar->DamagedTexts(), 0);
        for (;;) {
            const size_t start = m_ar->Position();
            const size_t damaged = m_ar->DamagedTexts();
            try {
                read(*m_ar);
                return;
            } catch (const ArchiveError& e) {
                if (e.GetKind() != ArchiveError::Kind::EndOfFile || m_file->Remaining() == 0) throw;
                Refill(start, damaged, m_capacity * 2);
            }
        }
    }

    // The bytes not yet read, in the window and after it.
    size_t Remaining() const { return m_ar->Remaining() + (m_file ? m_file->Remaining() : 0); }
    // Wide texts with invalid UTF-16 read so far (see ArchiveReader::DamagedTexts).
    size_t DamagedTexts() const { return m_damagedBefore + m_ar->DamagedTexts(); }
    // The file could not be read to its end: what came before is all there was to read.
    bool ReadFailed() const { return !m_readError.empty(); }
    const std::string& ReadError() const { return m_readError; }

private:
    static constexpr size_t kWindow = size_t(256) << 10;
    // A record is tried once at least this much of the file is in the window (or all of it).
    static constexpr size_t kAhead = size_t(64) << 10;

    // Moves the window's bytes from keepFrom on to its front and fills the rest from the file,
    // growing the window to at least capacity. damagedBefore is the damaged texts before keepFrom.
    void Refill(size_t keepFrom, size_t damagedBefore, size_t capacity);

    ArchiveReader* m_ar;
    FileReader* m_file = nullptr;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity = 0;
    size_t m_filled = 0;
    std::optional<ArchiveReader> m_window;
    size_t m_damagedBefore = 0;
    std::string m_readError;
};

}  // namespace tv
