// The load, keep-a-damaged-copy and save sequence of the data folder's own files.
#include "DataFile.h"

namespace tv {

LoadReport DataFile::Load(const std::function<size_t()>& startEmpty,
                          const std::function<LoadReport(std::string_view bytes)>& parse) {
    std::string bytes, why;
    m_report = LoadReport();
    switch (ReadWholeFile(m_path, bytes, why)) {
        case ReadStatus::Missing:
            m_report.status = LoadStatus::Missing;
            m_report.itemsRead = startEmpty();
            break;
        case ReadStatus::Failed:
            m_report.status = LoadStatus::Unreadable;
            m_report.message = why;
            break;
        case ReadStatus::Ok: m_report = parse(bytes); break;
    }
    m_keepDamagedCopy = m_report.NeedsPreservation();
    return m_report;
}

FileResult DataFile::Save(const ContentProducer& produce) {
    std::string kept;
    // Never replace a file the user might still recover without a copy of it.
    if (m_keepDamagedCopy && !KeepDamagedCopy(m_path, kept))
        return FileResult::Failed("Could not keep a copy of the damaged " + FileNoun() + " \"" + m_path +
                                  "\", so it was not overwritten.");
    FileResult result = WriteFileAtomically(m_path, produce, SaveScope::DataFolder);
    if (result.ok && m_keepDamagedCopy) {
        if (!kept.empty()) result.note = "The damaged " + FileNoun() + " was kept as \"" + kept + "\".";
        m_keepDamagedCopy = false;
    }
    return result;
}

LoadReport DataFile::Damaged(const std::string& why, size_t itemsRead) const {
    LoadReport report;
    report.status = LoadStatus::Damaged;
    report.itemsRead = itemsRead;
    report.message = "The " + FileNoun() + " \"" + m_path + "\" is damaged (" + why + "); " +
                     std::to_string(itemsRead) + " " + m_items + "s could be read.";
    return report;
}

}  // namespace tv
