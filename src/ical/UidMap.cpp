// Evnt.uid: a header line, then "id digest uid" per line, the UID escaped.
#include "UidMap.h"

#include <cinttypes>
#include <cstdio>
#include <mutex>
#include <random>
#include <vector>

#include "platform/FileIo.h"

namespace tv::ics {

namespace {

constexpr char kHeader[] = "TALLYVANE-UIDS 1";

std::string Escape(const std::string& uid) {
    std::string out;
    for (char c : uid) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

}  // namespace

std::string CUidMap::PathBeside(const std::string& eventFilePath) {
    if (eventFilePath.empty()) return {};
    const size_t slash = eventFilePath.rfind('/');
    return (slash == std::string::npos ? std::string() : eventFilePath.substr(0, slash + 1)) + "Evnt.uid";
}

void CUidMap::Load() {
    m_byId.clear();
    m_byUid.clear();
    std::string text, why;
    if (m_path.empty() || ReadWholeFile(m_path, text, why) != ReadStatus::Ok) return;
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (header) {
            header = false;
            if (line == kHeader) continue;
        }
        unsigned long id = 0;
        uint64_t digest = 0;
        int used = 0;
        if (std::sscanf(line.c_str(), "%lu %" SCNx64 " %n", &id, &digest, &used) != 2 || used <= 0 ||
            static_cast<size_t>(used) >= line.size() || id == 0 || id > 0xFFFFFFFEul)
            continue;
        Set(static_cast<uint32_t>(id), Unescape(std::string_view(line).substr(static_cast<size_t>(used))), digest);
    }
}

FileResult CUidMap::Save() const {
    if (m_path.empty()) return FileResult::Ok();
    std::string text = std::string(kHeader) + "\n";
    char head[48];
    for (const auto& [id, entry] : m_byId) {
        std::snprintf(head, sizeof head, "%u %016" PRIx64 " ", id, entry.digest);
        text += head + Escape(entry.uid) + "\n";
    }
    return WriteFileAtomically(m_path, text, SaveScope::DataFolder);
}

const std::string* CUidMap::UidOf(uint32_t id) const {
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : &it->second.uid;
}

std::optional<uint32_t> CUidMap::IdOf(const std::string& uid) const {
    const auto it = m_byUid.find(uid);
    return it == m_byUid.end() ? std::nullopt : std::optional(it->second);
}

void CUidMap::Erase(uint32_t id) {
    const auto it = m_byId.find(id);
    if (it == m_byId.end()) return;
    m_byUid.erase(it->second.uid);
    m_byId.erase(it);
}

void CUidMap::Set(uint32_t id, const std::string& uid, uint64_t digest) {
    if (const auto other = IdOf(uid); other && *other != id) Erase(*other);
    Erase(id);
    m_byId[id] = Entry{uid, digest};
    m_byUid[uid] = id;
}

void CUidMap::Prune(const CEventStore& store) {
    std::vector<uint32_t> gone;
    CEventStore::AllLock lock(store);
    for (const auto& [id, entry] : m_byId)
        if (!store.GetPtrById(id)) gone.push_back(id);
    for (uint32_t id : gone) Erase(id);
}

void CUidMap::KeepUnchanged(const CEventStore& store) {
    std::vector<uint32_t> changed;
    CEventStore::AllLock lock(store);
    for (const auto& [id, entry] : m_byId) {
        const CPtEvent* ev = store.GetPtrById(id);
        if (!ev || Digest(*ev) != entry.digest) changed.push_back(id);
    }
    for (uint32_t id : changed) Erase(id);
}

uint64_t CUidMap::Digest(const CPtEvent& ev) {
    ArchiveWriter ar;
    ar.WriteText(ev.GetName());
    ar.WriteText(ev.GetNote());
    ar.WriteText(ev.GetSound());
    ar.WriteU32(ev.GetType());
    ar.WriteDateTime(ev.GetStart());
    ar.WriteI32(ev.GetDuration());
    ar.WriteTimeSpan(ev.GetRemindBeforeSpan());
    CReCurrence rule = ev.GetRecurrence();
    rule.SetAnchor(DateTime());
    rule.Serialize(ar);
    return Fnv1a(ar.Data());
}

std::string CUidMap::NewUid() {
    static std::mutex lock;
    static std::mt19937_64 random{std::random_device{}()};
    std::lock_guard g(lock);
    char text[64];
    std::snprintf(text, sizeof text, "%016" PRIx64 "%016" PRIx64 "@tallyvane", random(), random());
    return text;
}

FileResult ReconcileUidsAfterRestore(const CEventStore& store) {
    CUidMap map(CUidMap::PathBeside(store.GetFilePath()));
    map.Load();
    const size_t before = map.Size();
    map.KeepUnchanged(store);
    return map.Size() == before ? FileResult::Ok() : map.Save();
}

}  // namespace tv::ics
