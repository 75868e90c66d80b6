// Slots, links, texts and ids of the event lists, and the one-off list's day index.
#include "EventList.h"

#include <algorithm>
#include <new>

#include "platform/Memory.h"

namespace tv {

namespace {

// Below this the garbage texts are not worth a walk over the list.
constexpr size_t kGarbageWorthSweeping = size_t(1) << 20;

// Slots are asked of the kernel this many at a time (160 KB), ahead of their first use: at
// most that much memory is resident before it is needed.
constexpr uint32_t kPrefaultSlots = 1024;

}  // namespace

// ---- CEventList ---------------------------------------------------------------------

CEventList::CEventList(uint32_t firstId, uint32_t idLimit) : m_range(firstId, idLimit) {}

CEventList::~CEventList() { RemoveAll(); }

uint32_t CEventList::GetNextId() const {
    std::lock_guard g(m_lock);
    return m_range.nextId;
}

size_t CEventList::GetCount() const {
    std::lock_guard g(m_lock);
    return m_count;
}

uint32_t CEventList::SlotOf(uint32_t id) const {
    const uint32_t* slot = m_ids.find(id);
    return slot ? *slot : kNoSlot;
}

uint32_t CEventList::NewSlot() {
    if (!m_free.empty()) {
        const uint32_t slot = m_free.back();
        m_free.pop_back();
        return slot;
    }
    const uint32_t slot = m_constructed;
    const Place place = PlaceOf(slot);
    if (place.block == m_blocks.size()) {
        // Raw memory: only the slots handed out are ever touched, so a large last block costs
        // no more than what it holds.
        m_blocks.push_back(static_cast<CPtEvent*>(::operator new(SlotsInBlock(place.block) * sizeof(CPtEvent))));
    }
    if (place.index % kPrefaultSlots == 0) {
        const size_t ahead = std::min<size_t>(kPrefaultSlots, SlotsInBlock(place.block));
        PrefaultForWriting(&m_blocks[place.block][place.index], ahead * sizeof(CPtEvent));
    }
    new (&At(slot)) CPtEvent();
    ++m_constructed;
    m_links.push_back({kNoSlot, kNoSlot});
    return slot;
}

void CEventList::LinkAtTail(uint32_t slot) {
    m_links[slot] = {m_tail, kNoSlot};
    if (m_tail == kNoSlot) m_head = slot;
    else m_links[m_tail].next = slot;
    m_tail = slot;
    ++m_count;
}

void CEventList::Release(uint32_t slot) {
    const Link link = m_links[slot];
    if (link.prev == kNoSlot) m_head = link.next;
    else m_links[link.prev].next = link.next;
    if (link.next == kNoSlot) m_tail = link.prev;
    else m_links[link.next].prev = link.prev;
    --m_count;
    AddGarbage(At(slot).TextBytes());
    m_free.push_back(slot);
}

uint32_t CEventList::Append(const CPtEvent& ev) {
    const uint32_t slot = NewSlot();
    At(slot).CopyWithTextsIn(ev, m_texts);
    LinkAtTail(slot);
    return slot;
}

uint32_t CEventList::ReadSlot(RecordStream& in) {
    const uint32_t slot = NewSlot();
    try {
        in.Read([&](ArchiveReader& ar) {
            const TextArena::Mark mark = m_texts.GetMark();
            try {
                At(slot).ReadWithTextsIn(ar, m_texts);
            } catch (...) {
                m_texts.Rollback(mark);
                throw;
            }
        });
    } catch (...) {
        At(slot) = CPtEvent();  // the half-read record is never kept
        m_free.push_back(slot);
        throw;
    }
    LinkAtTail(slot);
    return slot;
}

void CEventList::AddGarbage(size_t bytes) {
    m_textGarbage += bytes;
    const size_t used = m_texts.BytesUsed();
    if (m_textGarbage < kGarbageWorthSweeping || m_textGarbage * 2 < used) return;
    // Every live event's texts move to a fresh arena; the events themselves stay in place.
    TextArena fresh;
    for (uint32_t s = m_head; s != kNoSlot; s = m_links[s].next) At(s).CopyWithTextsIn(At(s), fresh);
    m_texts = std::move(fresh);
    m_textGarbage = 0;
}

uint32_t CEventList::NextFreeId(const IdIsTaken& isTakenElsewhere) {
    std::lock_guard g(m_lock);
    return m_range.NextFree(
        [&](uint32_t id) { return m_ids.contains(id) || (isTakenElsewhere && isTakenElsewhere(id)); });
}

CPtEvent* CEventList::AddWithNewId(CPtEvent& ev, const IdIsTaken& isTakenElsewhere) {
    std::lock_guard g(m_lock);
    const uint32_t id = NextFreeId(isTakenElsewhere);
    if (id == 0) return nullptr;
    ev.SetId(id);
    return AppendKeepingId(ev);
}

CPtEvent* CEventList::AppendKeepingId(const CPtEvent& ev) {
    std::lock_guard g(m_lock);
    const uint32_t slot = Append(ev);
    m_ids.set(ev.GetId(), slot);
    return &At(slot);
}

CPtEvent* CEventList::Replace(uint32_t id, const CPtEvent& ev) {
    std::lock_guard g(m_lock);
    const uint32_t slot = SlotOf(id);
    if (slot == kNoSlot) return nullptr;
    CPtEvent& stored = At(slot);
    // Most changes (an answer, a snooze, the showing mark) keep the texts where they are.
    if (stored.SameTexts(ev)) {
        stored.CopyKeepingTexts(ev);
    } else {
        const size_t old = stored.TextBytes();
        stored.CopyWithTextsIn(ev, m_texts);
        AddGarbage(old);
    }
    stored.SetId(id);
    return &stored;
}

bool CEventList::Remove(uint32_t id) {
    std::lock_guard g(m_lock);
    const uint32_t slot = SlotOf(id);
    if (slot == kNoSlot) return false;
    m_ids.erase(id);
    Release(slot);
    return true;
}

void CEventList::RemoveAll() {
    std::lock_guard g(m_lock);
    for (uint32_t s = 0; s < m_constructed; ++s) At(s).~CPtEvent();
    for (CPtEvent* block : m_blocks) ::operator delete(block);
    m_blocks.clear();
    m_constructed = 0;
    m_links.clear();
    m_free.clear();
    m_head = m_tail = kNoSlot;
    m_count = 0;
    m_texts.Clear();
    m_textGarbage = 0;
    m_ids.clear();
}

bool CEventList::Contains(uint32_t id) const {
    std::lock_guard g(m_lock);
    return m_ids.contains(id);
}

bool CEventList::GetById(uint32_t id, CPtEvent& out) const {
    std::lock_guard g(m_lock);
    const uint32_t slot = SlotOf(id);
    if (slot == kNoSlot) return false;
    out = At(slot);
    return true;
}

void CEventList::PrefetchId(uint32_t id) const { m_ids.prefetch(id); }

CPtEvent* CEventList::GetPtrById(uint32_t id) {
    std::lock_guard g(m_lock);
    const uint32_t slot = SlotOf(id);
    return slot == kNoSlot ? nullptr : &At(slot);
}

const CPtEvent* CEventList::GetPtrById(uint32_t id) const { return const_cast<CEventList*>(this)->GetPtrById(id); }

void CEventList::WriteBody(ArchiveWriter& ar) const {
    std::lock_guard g(m_lock);
    ar.WriteU32(static_cast<uint32_t>(m_count));
    ar.WriteU32(m_range.nextId);
    ar.WriteU32(m_range.idLimit);
    for (uint32_t s = m_head; s != kNoSlot; s = m_links[s].next) At(s).Serialize(ar);
}

// ---- COneOffEventList ---------------------------------------------------------------

CPtEvent* COneOffEventList::Add(CPtEvent& ev, const IdIsTaken& isTakenElsewhere) {
    std::lock_guard g(GetLock());
    CPtEvent* stored = AddWithNewId(ev, isTakenElsewhere);
    if (stored) m_dayIndex.Add(stored->GetStart().DayNumber(), SlotOf(stored->GetId()));
    return stored;
}

CPtEvent* COneOffEventList::AddKeepingId(const CPtEvent& ev) {
    std::lock_guard g(GetLock());
    CPtEvent* stored = AppendKeepingId(ev);
    m_dayIndex.Add(stored->GetStart().DayNumber(), SlotOf(stored->GetId()));
    return stored;
}

CPtEvent* COneOffEventList::ReplaceAndReindex(uint32_t id, const CPtEvent& ev) {
    std::lock_guard g(GetLock());
    const uint32_t slot = SlotOf(id);
    if (slot == kNoSlot) return nullptr;
    const int64_t oldDay = At(slot).GetStart().DayNumber();
    CPtEvent* stored = Replace(id, ev);
    const int64_t newDay = stored->GetStart().DayNumber();
    if (newDay != oldDay) {
        m_dayIndex.Remove(oldDay, slot);
        m_dayIndex.Add(newDay, slot);
    }
    return stored;
}

bool COneOffEventList::RemoveAndUnindex(uint32_t id) {
    std::lock_guard g(GetLock());
    const uint32_t slot = SlotOf(id);
    if (slot == kNoSlot) return false;
    m_dayIndex.Remove(At(slot).GetStart().DayNumber(), slot);
    return Remove(id);
}

void COneOffEventList::ClearAll() {
    std::lock_guard g(GetLock());
    m_dayIndex.Clear();
    RemoveAll();
}

bool COneOffEventList::GetEventsOfDay(int64_t day, std::vector<const CPtEvent*>& out) const {
    std::lock_guard g(GetLock());
    m_dayIndex.ForEachInDays(day, day + 1, [&](int64_t, uint32_t slot) { out.push_back(&At(slot)); });
    return m_dayIndex.AnyOnOrAfter(day);
}

void COneOffEventList::RebuildDayIndex() {
    std::lock_guard g(GetLock());
    m_dayIndex.Clear();
    for (uint32_t s = FirstSlot(); s != kNoSlot; s = NextSlot(s)) m_dayIndex.Append(At(s).GetStart().DayNumber(), s);
    m_dayIndex.Sort();
}

ListReadResult COneOffEventList::ReadAndIndex(RecordStream& in, std::vector<const CPtEvent*>& recurring) {
    std::lock_guard g(GetLock());
    m_dayIndex.Clear();
    recurring.clear();
    ListReadResult r = ReadBody(
        in, [](uint32_t) { return false; },
        [&](uint32_t slot, const CPtEvent& ev) {
            m_dayIndex.Append(ev.GetStart().DayNumber(), slot);
            if (ev.IsRecurrent()) recurring.push_back(&ev);
        });
    if (r.dropped > 0) {  // records were removed after they were indexed: index again
        RebuildDayIndex();
        recurring.clear();
        ForEach([&](const CPtEvent& ev) {
            if (ev.IsRecurrent()) recurring.push_back(&ev);
        });
    } else {
        m_dayIndex.Sort();
    }
    return r;
}

}  // namespace tv
