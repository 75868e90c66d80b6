// The Find page's matching rule.
#include "FindMatch.h"

#include "model/TextCodec.h"

namespace tv {

std::optional<DateTime> BoundFromControl(const DateTime& value) {
    if (!value.IsValid() || value.Days() == 0.0) return std::nullopt;
    return value;
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
    // Case folding, not lower-casing: "ΣΟΦΟΣ" finds "σοφος" with its final sigma, "STRASSE"
    // finds "Straße".
    const std::string text = CaseFold(criteria.text);
    return CaseFold(ev.GetName()).find(text) != std::string::npos ||
           CaseFold(ev.GetNote()).find(text) != std::string::npos;
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
