// The Find page's matching rule.
#include "FindMatch.h"

namespace tv {

std::optional<DateTime> BoundFromControl(const DateTime& value) {
    if (!value.IsValid() || value.Days() == 0.0) return std::nullopt;
    return value;
}

std::string LowerCp1252(std::string text) {
    for (char& ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        unsigned char lower = c;
        if (c >= 'A' && c <= 'Z') lower = c + 32;
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) lower = c + 32;  // Latin-1 capitals, not the sign ×
        else if (c == 0x8A || c == 0x8C || c == 0x8E) lower = c + 16;  // Š Œ Ž
        else if (c == 0x9F) lower = 0xFF;                              // Ÿ
        ch = static_cast<char>(lower);
    }
    return text;
}

bool Match(const CPtEvent& ev, const FindCriteria& criteria) {
    const DateTime& start = ev.GetStart();
    if (criteria.from && start < *criteria.from) return false;
    if (criteria.to && start > *criteria.to) return false;
    if (criteria.typeId && ev.GetType() != *criteria.typeId) return false;
    if (criteria.text.empty()) return true;
    if (criteria.caseSensitive)
        return ev.GetName().find(criteria.text) != std::string::npos ||
               ev.GetNote().find(criteria.text) != std::string::npos;
    const std::string text = LowerCp1252(criteria.text);
    return LowerCp1252(ev.GetName()).find(text) != std::string::npos ||
           LowerCp1252(ev.GetNote()).find(text) != std::string::npos;
}

std::vector<uint32_t> FindEvents(const CEventStore& store, const FindCriteria& criteria) {
    std::vector<uint32_t> ids;
    CEventStore::AllLock lock(store);
    store.ForEachEvent([&](const CPtEvent& ev) {
        if (Match(ev, criteria)) ids.push_back(ev.GetId());
    });
    return ids;
}

}  // namespace tv
