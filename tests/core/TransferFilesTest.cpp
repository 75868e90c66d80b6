// Backups, exports and the imports with their type merge.
#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "Moments.h"
#include "TempDir.h"
#include "model/Archive.h"
#include "store/TransferFiles.h"

using namespace tv;

namespace {

const DateTime kNow = DateTime::FromParts(2026, 12, 6, 10, 0, 0);

CEventType Type(const std::string& name, ColorRef color) {
    CEventType t(DateTime::FromParts(2026, 1, 1));
    t.SetName(name);
    t.SetTextColor(color);
    t.SetDefaultDuration(600);
    return t;
}

CPtEvent Event(const std::string& name, uint32_t typeId, bool recurring = false) {
    CPtEvent ev(kNow);
    ev.SetName(name);
    ev.SetType(typeId);
    ev.SetDuration(4321);
    if (recurring) ev.GetRecurrence().SetPatternType(kPatternWeekly);
    return ev;
}

struct World {
    CEventTypeTable types;
    CEventStore store;
    uint32_t Add(CEventType t) {
        types.AddType(t);
        return t.GetId();
    }
    uint32_t Add(CPtEvent ev) {
        store.Add(ev);
        return ev.GetId();
    }
    std::vector<std::string> TypeNames() const {
        std::vector<std::string> names;
        for (const auto& t : types.Snapshot()) names.push_back(t.GetName());
        return names;
    }
};

}  // namespace

TEST(Backup, FilesFollowTheLayoutAndRestoreTypesAndEventsWithTheirIds) {
    tvtest::TempDir dir;
    World w;
    const uint32_t meeting = w.Add(Type("Meeting", 1));
    w.Add(Type("Gone", 2));
    w.types.RemoveType(2);
    CPtEvent a, r;
    ASSERT_TRUE(w.store.GetById(w.Add(Event("a", meeting)), a));
    ASSERT_TRUE(w.store.GetById(w.Add(Event("r", meeting, true)), r));
    ASSERT_TRUE(WriteBackup(dir.File("x.bak"), w.types, w.store).ok);
    ASSERT_TRUE(WriteExport(dir.File("x.exp"), w.types, w.store).ok);
    ArchiveWriter types;
    w.types.WriteTable(types);
    // count, nextId and idLimit in a backup; the count alone in an export.
    auto list = [](std::optional<std::pair<uint32_t, uint32_t>> ids, const CPtEvent& ev) {
        ArchiveWriter l;
        l.WriteU32(1);
        if (ids) {
            l.WriteU32(ids->first);
            l.WriteU32(ids->second);
        }
        ev.Serialize(l);
        return l.Data();
    };
    EXPECT_EQ(dir.Read("x.bak"), tvtest::Bytes()
                                     .text("KORVATE[Backup]1000")
                                     .raw(types.Data())
                                     .raw(list(std::pair(2u, 0x80000000u), a))
                                     .raw(list(std::pair(0x80000002u, 0xFFFFFFFFu), r))
                                     .str());
    EXPECT_EQ(dir.Read("x.exp"),
              tvtest::Bytes().text("KORVATE[Export]1000").raw(types.Data()).raw(list({}, a)).raw(list({}, r)).str());

    World other;
    other.Add(Type("Local", 3));
    other.Add(Event("local", 1));
    const TransferResult restored = RestoreBackup(dir.File("x.bak"), other.types, other.store);
    ASSERT_TRUE(restored.ok()) << restored.message;
    EXPECT_EQ(other.TypeNames(), std::vector<std::string>{"Meeting"});
    EXPECT_EQ(other.types.GetNextId(), 3u);
    EXPECT_EQ(other.store.SaveToBytes(), w.store.SaveToBytes());
}

TEST(Import, TypeMergeMatchesEqualTypesAndStarsTheOthers) {
    tvtest::TempDir dir;
    World source;
    const uint32_t same = source.Add(Type("Meeting", 1));
    const uint32_t differs = source.Add(Type("Birthday", 0xFF));
    source.Add(Event("meet", same));
    source.Add(Event("cake", differs, true));
    ASSERT_TRUE(WriteExport(dir.File("x.exp"), source.types, source.store).ok);

    World target;
    target.Add(Type("Filler", 9));
    const uint32_t localMeeting = target.Add(Type("Meeting", 1));
    target.Add(Type("Birthday", 0x00));
    TransferResult r = ImportExportFile(dir.File("x.exp"), {}, target.types, target.store);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(target.TypeNames(), (std::vector<std::string>{"Filler", "Meeting", "Birthday", "Birthday*"}));
    EXPECT_TRUE(r.refusedTypes.empty());
    CEventType starred;
    ASSERT_TRUE(target.types.FindByName("Birthday*", starred));
    CPtEvent meet, cake;
    ASSERT_TRUE(target.store.GetById(1, meet) && target.store.GetById(0x80000001u, cake));
    EXPECT_EQ(std::tuple(meet.GetType(), cake.GetType()), std::tuple(localMeeting, starred.GetId()));
    EXPECT_EQ(meet.GetDuration(), 4321);  // only the type id is translated

    // A second import meets its own starred copy: refused by name, but the events still get it.
    r = ImportExportFile(dir.File("x.exp"), {}, target.types, target.store);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.refusedTypes, std::vector<std::string>{"Birthday*"});
    EXPECT_EQ(std::tuple(target.types.GetCount(), target.store.GetCount()), std::tuple(4u, 4u));
    ASSERT_TRUE(target.store.GetById(0x80000002u, cake));
    EXPECT_EQ(cake.GetType(), starred.GetId());
}

TEST(Import, OptionsChooseWhatIsMerged) {
    tvtest::TempDir dir;
    World source;
    const uint32_t used = source.Add(Type("Used", 1));
    source.Add(Type("Unused", 2));
    source.Add(Event("e", used));
    ASSERT_TRUE(WriteExport(dir.File("x.exp"), source.types, source.store).ok);

    World noTypes;
    ImportOptions opt;
    opt.types = false;
    ASSERT_TRUE(ImportExportFile(dir.File("x.exp"), opt, noTypes.types, noTypes.store).ok());
    // Only the type an event uses is merged, under its own name.
    EXPECT_EQ(noTypes.TypeNames(), std::vector<std::string>{"Used"});
    EXPECT_EQ(noTypes.store.GetCount(), 1u);

    World noEvents;
    opt.types = true;
    opt.events = false;
    ASSERT_TRUE(ImportExportFile(dir.File("x.exp"), opt, noEvents.types, noEvents.store).ok());
    EXPECT_EQ(noEvents.TypeNames(), (std::vector<std::string>{"Used*", "Unused*"}));
    EXPECT_EQ(noEvents.store.GetCount(), 0u);
}

TEST(Holidays, LinesAreParsedOrSkipped) {
    struct Case {
        const char* line;
        std::string name;
        int kind, ordinal, weekday, month, day;
    } const good[] = {{"New Year,1,1,1", "New Year", 1, 0, 0, 1, 1},
                      {"Memorial,2,5,2,5", "Memorial", 2, 5, 2, 5, 0},
                      {",1, 12, 25xyz", "", 1, 0, 0, 12, 25}};
    for (const Case& c : good) {
        const auto h = ParseHolidayLine(c.line);
        ASSERT_TRUE(h) << c.line;
        EXPECT_EQ(std::tie(h->name, h->kind, h->month), std::tie(c.name, c.kind, c.month)) << c.line;
        if (c.kind == 1) EXPECT_EQ(h->day, c.day);
        else EXPECT_EQ(std::tuple(h->ordinal, h->weekday), std::tuple(c.ordinal, c.weekday));
    }
    for (const char* bad : {"Bad,3,1,1", "Bad,1,13,1", "Bad,1,2", "Bad,2,5,2", "Bad,2,6,1,1", "Bad,2,1,8,1",
                            "Bad,1,0,5", "Bad,1,5,32", "", "no commas"})
        EXPECT_FALSE(ParseHolidayLine(bad)) << bad;
}

TEST(Holidays, FileImportBuildsYearlyEventsFromToday) {
    tvtest::TempDir dir;
    dir.Write("h.hdy", "Christmas,1,12,25\r\nNew Year,1,1,1\r\nMemorial,2,5,2,5\r\nBad,3,1,1\r\nHarvest,1,9,30");
    World w;
    CEventType holiday = Type("Holiday", 0x008000);
    holiday.SetDefaultRemindBefore(86400);
    const uint32_t holidayId = w.Add(holiday);
    const TransferResult r = ImportHolidayFile(dir.File("h.hdy"), w.types, w.store, kNow);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.eventsAdded, 3u);  // the header line is never a holiday
    std::vector<std::string> names;
    w.store.ForEachEvent([&](const CPtEvent& ev) { names.emplace_back(ev.GetName()); });
    EXPECT_EQ(names, (std::vector<std::string>{"New Year", "Memorial", "Harvest"}));
    CPtEvent memorial;
    ASSERT_TRUE(w.store.GetById(0x80000002u, memorial));
    EXPECT_EQ(std::tuple(memorial.GetType(), memorial.GetRemindBefore(), memorial.GetRecurrence().GetDuration()),
              std::tuple(holidayId, 86400, 86400));
    EXPECT_EQ(memorial.GetStart(), kNow.DateOnly());
    EXPECT_EQ(memorial.GetRecurrence().GetDescription(), "The Last Monday of May");
    EXPECT_MOMENT(memorial.GetOccurrence(kNow), DateTime::FromParts(2027, 5, 31));
    // Importing twice gives every holiday twice.
    ImportHolidayFile(dir.File("h.hdy"), w.types, w.store, kNow);
    EXPECT_EQ(w.store.GetCount(), 6u);
}

TEST(Plumtrace, TypesAndEventsOfTheOlderFilesAreMerged) {
    tvtest::TempDir dir;
    CEventType old = Type("Old type", 0x123456);
    old.SetId(4);
    CPtEvent ev = Event("From the old program", 4);
    ev.SetId(17);
    ArchiveWriter records;
    old.Serialize(records);
    // count, nextId, the types
    dir.Write("evty.ptt", tvtest::Bytes().u32(1).u32(5).raw(records.Data()).str());
    records = ArchiveWriter();
    ev.Serialize(records);
    // tag, version, two words, 505 reserved bytes, two texts, count, one word, the events
    dir.Write("evnt.pte", tvtest::Bytes()
                              .text("PLUMTRC").u16(0x0100).u32(0).u32(0).zeros(505).text("x").text("y").u32(1).u32(0)
                              .raw(records.Data())
                              .str());

    World w;
    TransferResult r = ImportPlumtrace(dir.Path(), w.types, w.store);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(w.TypeNames(), std::vector<std::string>{"Old type*"});
    CPtEvent imported;
    ASSERT_TRUE(w.store.GetById(1, imported));
    EXPECT_EQ(std::tuple(imported.GetName(), imported.GetType()), std::tuple("From the old program", 1u));

    // A wrong event file: the message, and the types merged before it stay merged.
    dir.Write("evnt.pte", std::string("\x07NOTPLUM", 8) + std::string(600, '\0'));
    World w2;
    r = ImportPlumtrace(dir.Path(), w2.types, w2.store);
    EXPECT_EQ(r.message, "Invalid Plumtrace 2.3 File.");
    EXPECT_EQ(std::tuple(w2.types.GetCount(), w2.store.GetCount()), std::tuple(1u, 0u));
}
