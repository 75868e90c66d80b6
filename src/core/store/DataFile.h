// One of the data folder's own files (the event file, the type file): how it is loaded, kept
// aside when it was damaged, and saved, written once for both.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "RecordStream.h"
#include "platform/FileIo.h"
#include "platform/FileResult.h"

namespace tv {

class DataFile {
public:
    // items names what the file holds in messages: "event" or "event type".
    explicit DataFile(std::string items, std::string path = {}) : m_items(std::move(items)), m_path(std::move(path)) {}

    const std::string& GetPath() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }

    // Reads the whole file. With no file, startEmpty answers how many items it put in place
    // instead (the shipped types, or none); a file that could be read goes to parse. A file
    // that was there but not read completely is copied aside by the next Save before it is
    // replaced, because saving over it would lose whatever the reader could not reach.
    LoadReport Load(const std::function<size_t()>& startEmpty,
                    const std::function<LoadReport(std::string_view bytes)>& parse);
    // The same for a file read in pieces as parse goes. A file that cannot be read to its end
    // is unreadable, whatever parse made of its beginning; parse must then forget it.
    LoadReport LoadStreamed(const std::function<size_t()>& startEmpty,
                            const std::function<LoadReport(RecordStream& in)>& parse);
    const LoadReport& GetLoadReport() const { return m_report; }

    // Writes the file through produce, crash-safely (see WriteFileAtomically), after keeping
    // the copy that Load asked for. The copy's name comes back in the result's note.
    FileResult Save(const ContentProducer& produce);

    // The load report of a file read up to a damaged part.
    LoadReport Damaged(const std::string& why, size_t itemsRead) const;

private:
    // Opens the file and hands it to parse; the rest of Load's work.
    LoadReport LoadWith(const std::function<size_t()>& startEmpty, const std::function<LoadReport(FileReader& file)>& parse);
    static LoadReport Unreadable(const std::string& why);
    std::string FileNoun() const { return m_items + " file"; }

    std::string m_items;
    std::string m_path;
    LoadReport m_report;
    bool m_keepDamagedCopy = false;
};

}  // namespace tv
