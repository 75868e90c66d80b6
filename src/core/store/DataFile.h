// One of the data folder's own files (the event file, the type file): how it is loaded, kept
// aside when it was damaged, and saved, written once for both.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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
    const LoadReport& GetLoadReport() const { return m_report; }

    // Writes the file through produce, crash-safely (see WriteFileAtomically), after keeping
    // the copy that Load asked for. The copy's name comes back in the result's note.
    FileResult Save(const ContentProducer& produce);

    // The load report of a file read up to a damaged part.
    LoadReport Damaged(const std::string& why, size_t itemsRead) const;

private:
    std::string FileNoun() const { return m_items + " file"; }

    std::string m_items;
    std::string m_path;
    LoadReport m_report;
    bool m_keepDamagedCopy = false;
};

}  // namespace tv
