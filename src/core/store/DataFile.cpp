// The load, keep-a-damaged-copy and save sequence of the data folder's own files.
#include "DataFile.h"

namespace tv {

LoadReport DataFile::Load(const std::function<size_t()>& startEmpty,
                          const std::function<LoadReport(std::string_view bytes)>& parse) {
    return LoadWith(startEmpty, [&](FileReader& file) {
        std::string bytes(file.Remaining(), '\0'), why;
        size_t got = 0;
        if (!file.Read(bytes.data(), bytes.size(), got, why)) return Unreadable(why);
        bytes.resize(got);
        return parse(bytes);
    });
}

LoadReport DataFile::LoadStreamed(const std::function<size_t()>& startEmpty,
                                  const std::function<LoadReport(RecordStream& in)>& parse) {
    return LoadWith(startEmpty, [&](FileReader& file) {
        RecordStream in(file);
        const LoadReport report = parse(in);
        return in.ReadFailed() ? Unreadable(in.ReadError()) : report;
    });
}

LoadReport DataFile::LoadWith(const std::function<size_t()>& startEmpty,
                              const std::function<LoadReport(FileReader& file)>& parse) {
    m_report = LoadReport();
    FileReader file;
    std::string why;
    switch (file.Open(m_path, why)) {
        case ReadStatus::Missing:
            m_report.status = LoadStatus::Missing;
            m_report.itemsRead = startEmpty();
            break;
        case ReadStatus::Failed: m_report = Unreadable(why); break;
        case ReadStatus::Ok: m_report = parse(file); break;
    }
    m_keepDamagedCopy = m_report.NeedsPreservation();
    return m_report;
}

LoadReport DataFile::Unreadable(const std::string& why) {
    LoadReport report;
    report.status = LoadStatus::Unreadable;
    report.message = why;
    return report;
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
