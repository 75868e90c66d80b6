// Event store operations and the event file.
#include "EventStore.h"

#include <algorithm>

#include "EventFile.h"
#include "ProgramFolder.h"

namespace tv {

// ---- CEventStore --------------------------------------------------------------------

CEventStore::CEventStore(std::string filePath) : m_file("event", std::move(filePath)) {}

void CEventStore::LockAll() const {
    m_oneOff.GetLock().lock();
    m_recurring.GetLock().lock();
}

void CEventStore::UnlockAll() const {
    m_oneOff.GetLock().unlock();
    m_recurring.GetLock().unlock();
}

size_t CEventStore::GetCount() const {
    AllLock lock(*this);
    return m_oneOff.GetCount() + m_recurring.GetCount();
}

bool CEventStore::IsIdTaken(uint32_t id) const { return m_oneOff.Contains(id) || m_recurring.Contains(id); }

bool CEventStore::Add(CPtEvent& ev) {
    AllLock lock(*this);
    // An id can have moved to the other list with its event, so both lists are asked.
    auto taken = [this](uint32_t id) { return IsIdTaken(id); };
    const CPtEvent* stored = ev.IsRecurrent() ? m_recurring.AddWithNewId(ev, taken) : m_oneOff.Add(ev, taken);
    return stored != nullptr;
}

bool CEventStore::Modify(uint32_t id, const CPtEvent& given, ShowingMark mark) {
    AllLock lock(*this);
    const CPtEvent* stored = m_oneOff.GetPtrById(id);
    const bool wasRecurring = stored == nullptr;
    if (wasRecurring) stored = m_recurring.GetPtrById(id);
    if (!stored) return false;
    CPtEvent ev = given;
    ev.SetId(id);
    if (mark == ShowingMark::Keep) {
        if (stored->IsShowing()) ev.SetShowing();
        else ev.ClearShowing();
    }
    const bool isRecurring = ev.IsRecurrent();
    if (!wasRecurring && !isRecurring) return m_oneOff.ReplaceAndReindex(id, ev) != nullptr;
    if (wasRecurring && isRecurring) return m_recurring.Replace(id, ev) != nullptr;
    const CPtEvent& moved = ev;
    if (wasRecurring) {
        m_recurring.Remove(id);
        m_oneOff.AddKeepingId(moved);
    } else {
        m_oneOff.RemoveAndUnindex(id);
        m_recurring.AppendKeepingId(moved);
    }
    return true;
}

bool CEventStore::Delete(uint32_t id) {
    AllLock lock(*this);
    return m_oneOff.RemoveAndUnindex(id) || m_recurring.Remove(id);
}

bool CEventStore::GetById(uint32_t id, CPtEvent& out) const {
    AllLock lock(*this);
    return m_oneOff.GetById(id, out) || m_recurring.GetById(id, out);
}

const CPtEvent* CEventStore::GetPtrById(uint32_t id) const {
    AllLock lock(*this);
    if (const CPtEvent* p = m_oneOff.GetPtrById(id)) return p;
    return m_recurring.GetPtrById(id);
}

bool CEventStore::GetEventsOfDay(const DateTime& date, std::vector<const CPtEvent*>& out) const {
    AllLock lock(*this);
    const int64_t day = date.DayNumber();
    bool found = m_oneOff.GetEventsOfDay(day, out);
    for (uint32_t s = m_recurring.FirstSlot(); s != CEventList::kNoSlot; s = m_recurring.NextSlot(s)) {
        const CPtEvent& ev = m_recurring.At(s);
        const DateTime occ = ev.GetOccurrenceOnOrAfter(date);
        if (occ.IsValid() && occ.DayNumber() == day) {
            out.push_back(&ev);
            found = true;
        }
    }
    return found;
}

void CEventStore::GetEventsOfDays(const DateTime& first, int count, std::vector<std::vector<DayEvent>>& out) const {
    AllLock lock(*this);
    out.assign(static_cast<size_t>(std::max(count, 0)), {});
    if (count <= 0) return;
    const int64_t firstDay = first.DayNumber();
    const int64_t endDay = firstDay + count;
    m_oneOff.ForEachInDays(firstDay, count, [&](int64_t day, const CPtEvent* ev) {
        out[static_cast<size_t>(day - firstDay)].push_back({ev, ev->GetStart()});
    });
    // A recurring event is listed on day D when its first occurrence from D falls on D. When the
    // occurrence from day d lies later, on day o, no day between d and o can list the event (the
    // search from any of them finds the same day o), so the walk jumps there and asks again;
    // a series with no occurrence from d has none on a later day either.
    for (uint32_t s = m_recurring.FirstSlot(); s != CEventList::kNoSlot; s = m_recurring.NextSlot(s)) {
        const CPtEvent& ev = m_recurring.At(s);
        for (int64_t d = firstDay; d < endDay;) {
            const DateTime occ = ev.GetOccurrenceOnOrAfter(DateTime::FromDayNumber(d));
            if (!occ.IsValid()) break;
            const int64_t o = occ.DayNumber();
            if (o == d) {
                out[static_cast<size_t>(d - firstDay)].push_back({&ev, occ});
                ++d;
            } else {
                d = std::max(o, d + 1);
            }
        }
    }
}

CEventIterator CEventStore::CreateIterator(EventListKind kind) const {
    if (kind == EventListKind::OneOff) return CEventIterator(m_oneOff);
    return CEventIterator(m_recurring);
}

std::vector<uint32_t> CEventStore::GetAllIds() const {
    std::vector<uint32_t> ids;
    AllLock lock(*this);
    ids.reserve(m_oneOff.GetCount() + m_recurring.GetCount());
    ForEachEvent([&](const CPtEvent& ev) { ids.push_back(ev.GetId()); });
    return ids;
}

void CEventStore::RemoveAll() {
    AllLock lock(*this);
    m_oneOff.ClearAll();
    m_recurring.RemoveAll();
}

// Files from elsewhere may hold a recurring event in the one-off list or the other way
// round; every operation relies on the placement matching the recurrence.
void CEventStore::MoveMisplaced(const std::vector<const CPtEvent*>& toRecurring,
                                const std::vector<const CPtEvent*>& toOneOff) {
    std::vector<CPtEvent> recurring, oneOff;
    for (const CPtEvent* ev : toRecurring) recurring.push_back(*ev);
    for (const CPtEvent* ev : toOneOff) oneOff.push_back(*ev);
    for (const CPtEvent& ev : recurring) {
        m_oneOff.RemoveAndUnindex(ev.GetId());
        m_recurring.AppendKeepingId(ev);
    }
    for (const CPtEvent& ev : oneOff) {
        m_recurring.Remove(ev.GetId());
        m_oneOff.AddKeepingId(ev);
    }
}

void CEventStore::SerializeLists(ArchiveWriter& ar) const {
    AllLock lock(*this);
    m_oneOff.WriteBody(ar);
    m_recurring.WriteBody(ar);
}

ListReadResult CEventStore::SerializeLists(ArchiveReader& ar) {
    RecordStream in(ar);
    return SerializeLists(in);
}

ListReadResult CEventStore::SerializeLists(RecordStream& in) {
    AllLock lock(*this);
    m_recurring.RemoveAll();
    std::vector<const CPtEvent*> toRecurring, toOneOff;
    ListReadResult result = m_oneOff.ReadAndIndex(in, toRecurring);
    // After a damaged one-off list the reading position means nothing; the recurring list
    // stays empty rather than being read from the middle of a record.
    if (result.complete) {
        ListReadResult rec = m_recurring.ReadBody(
            in, [this](uint32_t id) { return m_oneOff.Contains(id); },
            [&](uint32_t, const CPtEvent& ev) {
                if (!ev.IsRecurrent()) toOneOff.push_back(&ev);
            });
        if (rec.dropped > 0) {
            toOneOff.clear();
            m_recurring.ForEach([&](const CPtEvent& ev) {
                if (!ev.IsRecurrent()) toOneOff.push_back(&ev);
            });
        }
        ContinueWith(result, rec);
    }
    MoveMisplaced(toRecurring, toOneOff);
    return result;
}

void CEventStore::WriteForExport(ArchiveWriter& ar) const {
    AllLock lock(*this);
    ar.WriteU32(static_cast<uint32_t>(m_oneOff.GetCount()));
    m_oneOff.ForEach([&](const CPtEvent& ev) { ev.Serialize(ar); });
    ar.WriteU32(static_cast<uint32_t>(m_recurring.GetCount()));
    m_recurring.ForEach([&](const CPtEvent& ev) { ev.Serialize(ar); });
}

void CEventStore::WriteEventFile(ArchiveWriter& ar) const {
    AllLock lock(*this);
    WriteEventFileHeader(ar);
    SerializeLists(ar);
}

std::string CEventStore::SaveToBytes() const {
    ArchiveWriter ar;
    ar.Reserve(600 + 200 * GetCount());
    WriteEventFile(ar);
    return ar.TakeData();
}

LoadReport CEventStore::LoadFromBytes(std::string_view bytes) {
    ArchiveReader ar(bytes);
    RecordStream in(ar);
    return LoadFrom(in);
}

LoadReport CEventStore::LoadFrom(RecordStream& in) {
    AllLock lock(*this);
    RemoveAll();
    return ReadEventFile(
        in, m_file, [this](RecordStream& lists) { return SerializeLists(lists); },
        [this] { return m_oneOff.GetCount() + m_recurring.GetCount(); });
}

LoadReport CEventStore::Load() {
    std::lock_guard saving(m_saveLock);
    RemoveAll();
    return m_file.LoadStreamed([] { return size_t(0); },
                               [this](RecordStream& in) {
                                   LoadReport report = LoadFrom(in);
                                   if (in.ReadFailed()) RemoveAll();  // as if nothing could be read
                                   return report;
                               });
}

FileResult CEventStore::Save() {
    std::lock_guard saving(m_saveLock);
    // The file is written while it is made, a megabyte at a time, under the lists' locks; the
    // flush to the disk that follows happens after they are released.
    return m_file.Save([this](const ChunkWrite& write) {
        ArchiveWriter ar(size_t(1) << 20, write);
        WriteEventFile(ar);
        ar.Flush();
    });
}

CEventStore& GetEventStore() {
    static CEventStore* store = [] {
        auto* s = new CEventStore(EventFilePath());
        s->Load();
        return s;
    }();
    return *store;
}

}  // namespace tv
