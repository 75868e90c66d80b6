// Evnt.sync: a header, three lines for the server, then one tab-separated line per resource.
#include "SyncState.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "model/Archive.h"
#include "model/TextCodec.h"
#include "platform/FileIo.h"

namespace tv::sync {

namespace {

constexpr char kHeader[] = "TALLYVANE-SYNC 1";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        out.push_back(UnescapeField(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
        if (tab == std::string::npos) return out;
        start = tab + 1;
    }
}

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

// A one-off event's rule fields are leftovers nobody sees.
void WriteRule(ArchiveWriter& ar, const CPtEvent& ev) {
    if (!ev.IsRecurrent()) return;
    CReCurrence rule = ev.GetRecurrence();
    rule.SetAnchor(DateTime());
    rule.Serialize(ar);
}

}  // namespace

std::string SyncState::PathBeside(const std::string& eventFilePath) {
    const size_t slash = eventFilePath.rfind('/');
    return (slash == std::string::npos ? std::string() : eventFilePath.substr(0, slash + 1)) + "Evnt.sync";
}

void SyncState::Reset(const std::string& newUrl) {
    url = newUrl;
    collection.clear();
    token.clear();
    entries.clear();
}

std::string SyncState::Load() {
    Reset({});
    m_written.clear();
    std::string text, why;
    if (m_path.empty()) return {};
    const ReadStatus status = ReadWholeFile(m_path, text, why);
    if (status == ReadStatus::Missing) return {};
    if (status != ReadStatus::Ok) return why;
    m_written = text;
    size_t start = 0, dropped = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (header) {
            header = false;
            if (line == kHeader) continue;
            ++dropped;
        }
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 2 && f[0] == "url") url = f[1];
        else if (f.size() == 2 && f[0] == "collection") collection = f[1];
        else if (f.size() == 2 && f[0] == "token") token = f[1];
        else if (f.size() == 6 && f[0] == "e" && !f[4].empty()) {
            SyncEntry e;
            unsigned long id = 0;
            uint64_t digest = 0;
            if (std::sscanf(f[1].c_str(), "%lu", &id) != 1 || id > 0xFFFFFFFEul ||
                std::sscanf(f[2].c_str(), "%" SCNx64, &digest) != 1) {
                ++dropped;
                continue;
            }
            e.id = static_cast<uint32_t>(id);
            e.digest = digest;
            e.etag = f[3];
            e.uid = f[5];
            entries[f[4]] = std::move(e);
        } else if (!line.empty()) {
            ++dropped;
        }
    }
    if (dropped == 0) return {};
    return "The sync state \"" + m_path +
           "\" was damaged; the events it no longer names are matched to the server's by their content.";
}

FileResult SyncState::Save() const {
    if (m_path.empty()) return FileResult::Ok();
    std::string text = std::string(kHeader) + "\n";
    text += "url\t" + EscapeField(url) + "\ncollection\t" + EscapeField(collection) + "\ntoken\t" + EscapeField(token) + "\n";
    char numbers[64];
    for (const auto& [href, e] : entries) {
        std::snprintf(numbers, sizeof numbers, "%u\t%016" PRIx64 "\t", e.id, e.digest);
        text += "e\t" + std::string(numbers) + EscapeField(e.etag) + "\t" + EscapeField(href) + "\t" + EscapeField(e.uid) + "\n";
    }
    if (text == m_written) return FileResult::Ok();
    // It names the user's server and resources: the data folder's owner-only file.
    FileResult r = WriteFileAtomically(m_path, text, SaveScope::DataFolder);
    if (r.ok) m_written = std::move(text);
    return r;
}

std::unordered_map<uint32_t, std::string> SyncState::HrefsById() const {
    std::unordered_map<uint32_t, std::string> out;
    for (const auto& [href, e] : entries)
        if (e.id != 0) out[e.id] = href;
    return out;
}

uint64_t SyncDigest(const CPtEvent& ev) {
    ArchiveWriter ar;
    ar.WriteText(ev.GetName());
    ar.WriteText(ev.GetNote());
    ar.WriteText(ev.GetSound());
    ar.WriteU32(ev.GetType());
    ar.WriteI32(ev.IsEnabled() ? 1 : 0);
    ar.WriteDateTime(ev.GetStart());
    ar.WriteI32(ev.GetDuration());
    ar.WriteTimeSpan(ev.GetRemindBeforeSpan());
    WriteRule(ar, ev);
    return Fnv1a(ar.Data());
}

uint64_t TimingDigest(const CPtEvent& ev) {
    ArchiveWriter ar;
    ar.WriteDateTime(ev.GetStart());
    ar.WriteTimeSpan(ev.GetRemindBeforeSpan());
    WriteRule(ar, ev);
    return Fnv1a(ar.Data());
}

}  // namespace tv::sync
