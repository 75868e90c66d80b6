// Builders for events, stores and type tables made in code, shared by the core tests.
#pragma once

#include <string>

#include "store/EventTypeTable.h"
#include "model/PtEvent.h"
#include "model/ReCurrence.h"
#include "store/EventStore.h"

namespace tvtest {

inline tv::DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return tv::DateTime::FromParts(y, mo, d, h, mi, s);
}

// A one-off event; the moment it was "made" is a fixed day, never the clock.
inline tv::CPtEvent OneOff(const std::string& name, const tv::DateTime& start, uint32_t typeId = 0) {
    tv::CPtEvent ev(At(2000, 1, 1));
    ev.SetName(name);
    ev.SetStart(start);
    ev.SetType(typeId);
    return ev;
}

// A recurring event whose rule starts at start, with a pattern of the given kind.
inline tv::CPtEvent Recurring(const std::string& name, const tv::DateTime& start, tv::PatternType kind) {
    tv::CPtEvent ev = OneOff(name, start);
    ev.GetRecurrence().SetStart(start);
    ev.GetRecurrence().SetEnd(start);
    ev.GetRecurrence().SetPatternType(kind);
    return ev;
}

inline tv::CPtEvent Daily(const std::string& name, const tv::DateTime& start) {
    return Recurring(name, start, tv::kPatternDaily);
}

inline tv::CPtEvent Weekly(const std::string& name, const tv::DateTime& start, int mask) {
    tv::CPtEvent ev = Recurring(name, start, tv::kPatternWeekly);
    static_cast<tv::CWeeklyRePattern*>(ev.GetRecurrence().GetPattern())->SetWeekdayMask(mask);
    return ev;
}

inline uint32_t AddTo(tv::CEventStore& store, tv::CPtEvent ev) {
    store.Add(ev);
    return ev.GetId();
}

inline uint32_t AddType(tv::CEventTypeTable& types, const std::string& name, int icon = 0, uint32_t color = 0) {
    tv::CEventType t(At(2008, 1, 1));
    t.SetName(name);
    t.SetIcon(icon);
    t.SetTextColor(color);
    types.AddType(t);
    return t.GetId();
}

}  // namespace tvtest
