// The event file's frame, and the one-pass day query.
#include "EventFile.h"

#include <algorithm>

#include "EventList.h"
#include "model/PtEvent.h"
#include "model/TextArena.h"

namespace tv {

namespace {

constexpr char kEventFileTag[] = "KORVATE";
constexpr uint16_t kEventFileVersion = 0x0100;
constexpr size_t kReservedBlock = 512;

// One list of the file read for a day: every record goes through one scratch event, and only
// those on the day are remembered, with their place in the list, so that the ids a load would
// repair and the records it would drop are known once the whole list is read.
class DayScan {
public:
    explicit DayScan(const DateTime& date) : m_date(date), m_day(date.DayNumber()) {}

    // What ReadListBody asks of a keeper; a handle is the record's place in the list.
    void Reserve(size_t) {}
    uint32_t ReadRecord(RecordStream& in) {
        in.Read([&](ArchiveReader& ar) {
            m_texts.Reuse();
            m_event.ReadWithTextsIn(ar, m_texts);
        });
        const uint32_t place = m_read++;
        if (IsOnDay()) m_hits.push_back({place, m_event.GetId(), m_event.IsRecurrent()});
        return place;
    }
    uint32_t IdOf(uint32_t) const { return m_event.GetId(); }
    void SetId(uint32_t place, uint32_t id) {
        if (auto hit = Find(place); hit != m_hits.end()) hit->id = id;
    }
    void Drop(uint32_t place) {
        if (auto hit = Find(place); hit != m_hits.end()) m_hits.erase(hit);
        ++m_dropped;
    }

    size_t Kept() const { return m_read - m_dropped; }
    // The ids of the day's recurring (or one-off) events of this list, in list order.
    void Collect(bool recurring, std::vector<uint32_t>& ids) const {
        for (const Hit& hit : m_hits)
            if (hit.recurring == recurring) ids.push_back(hit.id);
    }

private:
    struct Hit {
        uint32_t place;
        uint32_t id;
        bool recurring;
    };

    // GetEventsOfDay's test: a one-off event by its start's day (the day index's key), a
    // recurring one by its occurrence from the day.
    bool IsOnDay() const {
        if (!m_event.IsRecurrent()) return m_event.GetStart().DayNumber() == m_day;
        const DateTime occurrence = m_event.GetOccurrenceOnOrAfter(m_date);
        return occurrence.IsValid() && occurrence.DayNumber() == m_day;
    }
    std::vector<Hit>::iterator Find(uint32_t place) {
        auto it = std::lower_bound(m_hits.begin(), m_hits.end(), place, [](const Hit& h, uint32_t p) { return h.place < p; });
        return it != m_hits.end() && it->place == place ? it : m_hits.end();
    }

    const DateTime m_date;
    const int64_t m_day;
    CPtEvent m_event;
    TextArena m_texts;
    std::vector<Hit> m_hits;
    uint32_t m_read = 0;
    uint32_t m_dropped = 0;
};

// Both lists as CEventStore::SerializeLists reads them; the day's ids in the order its
// GetEventsOfDay answers them: the one-off events (those a load moves over from the recurring
// list after the others), then the recurring ones (those moved over from the one-off list last).
LoadReport ScanDay(RecordStream& in, const DataFile& file, const DateTime& date, std::vector<uint32_t>& ids) {
    DayScan oneOff(date), recurring(date);
    IdRange oneOffRange(kFirstOneOffId, kOneOffIdLimit), recurringRange(kFirstRecurringId, kRecurringIdLimit);
    IdIndex<uint32_t> oneOffIds, recurringIds;
    const LoadReport report = ReadEventFile(
        in, file,
        [&](RecordStream& lists) {
            ListReadResult result = ReadListBody(lists, oneOffRange, oneOffIds, oneOff, [](uint32_t) { return false; });
            if (result.complete)
                ContinueWith(result, ReadListBody(lists, recurringRange, recurringIds, recurring,
                                                  [&](uint32_t id) { return oneOffIds.contains(id); }));
            return result;
        },
        [&] { return oneOff.Kept() + recurring.Kept(); });
    oneOff.Collect(false, ids);
    recurring.Collect(false, ids);
    recurring.Collect(true, ids);
    oneOff.Collect(true, ids);
    return report;
}

}  // namespace

void WriteEventFileHeader(ArchiveWriter& ar) {
    ar.WriteText(kEventFileTag);
    ar.WriteU16(kEventFileVersion);
    ar.WriteBytes(std::string(kReservedBlock, '\0'));
}

LoadReport ReadEventFile(RecordStream& in, const DataFile& file,
                         const std::function<ListReadResult(RecordStream&)>& readLists,
                         const std::function<size_t()>& itemsKept) {
    std::string tag;
    try {
        in.Read([&](ArchiveReader& ar) { tag = ar.ReadText(); });
    } catch (const ArchiveError&) {
    }
    if (tag != kEventFileTag) {
        LoadReport report;
        report.status = LoadStatus::WrongTag;
        report.message = "The event file \"" + file.GetPath() + "\" is not a Tallyvane event file; no events were read.";
        return report;
    }
    ListReadResult r;
    try {
        // The version word: every writer has used 0x0100 and nothing depends on it.
        in.Read([](ArchiveReader& ar) {
            ar.ReadU16();
            ar.Skip(kReservedBlock);
        });
        r = readLists(in);
    } catch (const ArchiveError& e) {
        r.complete = false;
        r.error = e.what();
    }
    // Every event was read, but a text is not what was stored: the file is kept aside like
    // any other damaged file before it is overwritten.
    if (r.complete && in.DamagedTexts() > 0) {
        r.complete = false;
        r.error = DamagedTextsNote(in.DamagedTexts());
    }
    const size_t read = itemsKept();
    LoadReport report = r.complete ? LoadReport() : file.Damaged(r.error, read);
    report.itemsRead = read;
    report.renumbered = r.renumbered;
    return report;
}

DayQuery QueryEventsOfDay(const std::string& path, const DateTime& date) {
    DataFile file("event", path);
    DayQuery q;
    q.report = file.LoadStreamed([] { return size_t(0); },
                                 [&](RecordStream& in) { return ScanDay(in, file, date, q.ids); });
    if (q.report.status == LoadStatus::Unreadable) q.ids.clear();  // as if nothing had been read
    return q;
}

DayQuery QueryEventsOfDay(std::string_view bytes, const std::string& path, const DateTime& date) {
    DataFile file("event", path);
    ArchiveReader ar(bytes);
    RecordStream in(ar);
    DayQuery q;
    q.report = ScanDay(in, file, date, q.ids);
    return q;
}

}  // namespace tv
