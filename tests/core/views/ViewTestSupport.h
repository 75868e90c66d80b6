// Small builders for the view tests: dates, events, a store and a type table made in code.
#pragma once

#include <string>

#include "model/EventTypeTable.h"
#include "model/PtEvent.h"
#include "model/ReCurrence.h"
#include "store/EventStore.h"

namespace tvtest {

inline tv::DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return tv::DateTime::FromParts(y, mo, d, h, mi, s);
}

// A one-off event; the moment it was "made" is a fixed day, never the clock.
inline tv::CPtEvent OneOff(const std::string& name, const tv::DateTime& start, uint32_t typeId = 0) {
    tv::CPtEvent ev(At(2008, 1, 1, 8, 0));
    ev.SetName(name);
    ev.SetStart(start);
    ev.SetType(typeId);
    return ev;
}

// A recurring event whose rule starts at start, with a pattern of the given kind.
inline tv::CPtEvent Recurring(const std::string& name, const tv::DateTime& start, tv::PatternType kind,
                              uint32_t typeId = 0) {
    tv::CPtEvent ev = OneOff(name, start, typeId);
    ev.GetRecurrence().SetStart(start);
    ev.GetRecurrence().SetEnd(start);
    ev.GetRecurrence().SetPatternType(kind);
    return ev;
}

inline tv::CPtEvent Daily(const std::string& name, const tv::DateTime& start, int interval = 1) {
    tv::CPtEvent ev = Recurring(name, start, tv::kPatternDaily);
    static_cast<tv::CDailyRePattern*>(ev.GetRecurrence().GetPattern())->SetInterval(interval);
    return ev;
}

inline tv::CPtEvent Weekly(const std::string& name, const tv::DateTime& start, int mask, int interval = 1) {
    tv::CPtEvent ev = Recurring(name, start, tv::kPatternWeekly);
    auto* p = static_cast<tv::CWeeklyRePattern*>(ev.GetRecurrence().GetPattern());
    p->SetInterval(interval);
    p->SetWeekdayMask(mask);
    return ev;
}

inline uint32_t AddTo(tv::CEventStore& store, tv::CPtEvent ev) {
    store.Add(ev);
    return ev.GetId();
}

inline uint32_t AddType(tv::CEventTypeTable& types, const std::string& name, int icon, uint32_t color) {
    tv::CEventType t(At(2008, 1, 1));
    t.SetName(name);
    t.SetIcon(icon);
    t.SetTextColor(color);
    types.AddType(t);
    return t.GetId();
}

}  // namespace tvtest
