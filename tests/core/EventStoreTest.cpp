// The event store: ids, lists, the day index and Evnt.est.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "ByteBuilder.h"
#include "Events.h"
#include "TempDir.h"
#include "store/EventFile.h"
#include "store/EventStore.h"
#include "store/IdIndex.h"
#include "platform/FileIo.h"
#include "platform/Memory.h"

using namespace tv;
using tvtest::At;
using tvtest::OneOff;

namespace {

std::vector<uint32_t> DayIds(const CEventStore& store, const DateTime& day) {
    std::vector<const CPtEvent*> events;
    store.GetEventsOfDay(day, events);
    std::vector<uint32_t> ids;
    for (auto* e : events) ids.push_back(e->GetId());
    return ids;
}

// One event record following the layout, without a recurrence or with a daily one.
tvtest::Bytes Record(uint32_t id, const std::string& name, double start, bool daily = false) {
    tvtest::Bytes b;
    b.i32(1).u32(id).i32(2).i32(0).i32(1800).i32(1).i32(1).i32(0).i32(1800).date(start).date(start).date(0);
    if (daily) b.i32(1).text("CDailyRePattern").i32(1).i32(1).i32(1);
    else b.i32(0);
    return b.text(name).text("").text("").date(0).date(0).date(start).u32(0);
}

tvtest::Bytes FileHeader() { return tvtest::Bytes().text("KORVATE").u16(0x0100).zeros(512); }

}  // namespace

TEST(EventStore, IdsComeFromTwoDisjointRanges) {
    CEventStore store;
    EXPECT_EQ(tvtest::AddTo(store, OneOff("a", At(2026, 5, 1))), 1u);
    EXPECT_EQ(tvtest::AddTo(store, tvtest::Daily("r", At(2026, 5, 1))), 0x80000001u);
    EXPECT_EQ(tvtest::AddTo(store, OneOff("b", At(2026, 5, 1))), 2u);
    EXPECT_EQ(tvtest::AddTo(store, tvtest::Daily("r2", At(2026, 5, 1))), 0x80000002u);
    CPtEvent copy;
    EXPECT_TRUE(store.GetById(0x80000001u, copy));
    EXPECT_EQ(copy.GetName(), "r");
    EXPECT_FALSE(store.GetById(77, copy));
    EXPECT_EQ(copy.GetName(), "r");  // left unchanged
    EXPECT_FALSE(store.Delete(77));
    EXPECT_FALSE(store.Modify(77, copy));
}

TEST(EventStore, ModifyMovesEventsBetweenListsKeepingTheirIds) {
    CEventStore store;
    for (int i = 0; i < 5; ++i) tvtest::AddTo(store, OneOff("e", At(2026, 5, 1, 9 + i)));
    CPtEvent five;
    ASSERT_TRUE(store.GetById(5, five));
    five.GetRecurrence().SetStart(five.GetStart());
    five.GetRecurrence().SetPatternType(kPatternDaily);
    ASSERT_TRUE(store.Modify(5, five));
    EXPECT_EQ(std::tuple(store.OneOffList().GetCount(), store.RecurringList().GetCount()), std::tuple(4u, 1u));
    CPtEvent found;
    ASSERT_TRUE(store.GetById(5, found) && found.IsRecurrent());
    // It now shows on later days as a recurring event, and no longer through the index.
    EXPECT_EQ(DayIds(store, At(2026, 5, 3)), std::vector<uint32_t>{5});

    found.GetRecurrence().RemovePattern();
    ASSERT_TRUE(store.Modify(5, found));
    EXPECT_EQ(store.OneOffList().GetCount(), 5u);
    EXPECT_EQ(DayIds(store, At(2026, 5, 1)), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(DayIds(store, At(2026, 5, 3)).empty());
}

TEST(EventStore, DayIndexFollowsAddsChangesAndDeletes) {
    CEventStore store;
    tvtest::AddTo(store, OneOff("a", At(2026, 5, 1, 15)));
    tvtest::AddTo(store, OneOff("b", At(2026, 5, 1, 8)));
    CPtEvent c = OneOff("c", At(2026, 5, 2, 8));
    store.Add(c);
    EXPECT_EQ(DayIds(store, At(2026, 5, 1, 12)), (std::vector<uint32_t>{1, 2}));  // insertion order, not time
    c.SetStart(At(2026, 5, 1, 7));
    store.Modify(c.GetId(), c);
    EXPECT_EQ(DayIds(store, At(2026, 5, 1)), (std::vector<uint32_t>{1, 2, 3}));  // re-keyed at the end
    EXPECT_TRUE(DayIds(store, At(2026, 5, 2)).empty());
    store.Delete(1);
    EXPECT_EQ(DayIds(store, At(2026, 5, 1)), (std::vector<uint32_t>{2, 3}));

    const uint32_t daily = tvtest::AddTo(store, tvtest::Daily("daily", At(2026, 5, 1, 6)));
    EXPECT_TRUE(DayIds(store, At(2026, 4, 30)).empty());
    EXPECT_EQ(DayIds(store, At(2026, 5, 1)), (std::vector<uint32_t>{2, 3, daily}));
    EXPECT_EQ(DayIds(store, At(2027, 1, 1)), std::vector<uint32_t>{daily});
}

TEST(EventStore, SaveAndLoadReproduceEverything) {
    tvtest::TempDir dir;
    CEventStore store(dir.File("Evnt.est"));
    for (int i = 0; i < 20; ++i) {
        CPtEvent ev = (i % 3) ? OneOff("one-off " + std::to_string(i), At(2026, 5, 1 + i % 7, i))
                              : tvtest::Daily("recurring " + std::to_string(i), At(2026, 5, 1, i));
        ev.SetNote(std::string(i * 20, 'x'));
        ev.Snooze(i, At(2026, 5, 1));
        store.Add(ev);
    }
    store.Delete(4);
    ASSERT_TRUE(store.Save().ok);

    CEventStore back(dir.File("Evnt.est"));
    EXPECT_EQ(back.Load().status, LoadStatus::Ok);
    EXPECT_EQ(back.SaveToBytes(), store.SaveToBytes());
    EXPECT_EQ(DayIds(back, At(2026, 5, 2)), DayIds(store, At(2026, 5, 2)));
}

TEST(EventStore, AFileBuiltFromTheLayoutReadsBack) {
    tvtest::TempDir dir;
    const std::string bytes = FileHeader()
                                  .u32(2).u32(8).u32(0x80000000u)
                                  .append(Record(3, "Dentist", 46000.5))
                                  .append(Record(7, "Vet", 46001.25))
                                  .u32(1).u32(0x80000004u).u32(0xFFFFFFFFu)
                                  .append(Record(0x80000002u, "Pills", 46000.375, true))
                                  .str();
    ASSERT_EQ(bytes.substr(0, 10), std::string("\x07KORVATE\x00\x01", 10));
    dir.Write("Evnt.est", bytes);
    CEventStore store(dir.File("Evnt.est"));
    EXPECT_EQ(store.Load().status, LoadStatus::Ok);
    EXPECT_EQ(store.GetAllIds(), (std::vector<uint32_t>{3, 7, 0x80000002u}));
    CPtEvent ev;
    ASSERT_TRUE(store.GetById(7, ev));
    EXPECT_EQ(std::tuple(ev.GetName(), ev.GetStart()), std::tuple("Vet", DateTime(46001.25)));
    // Writing it again gives the same bytes; the next id continues from the file's.
    EXPECT_EQ(store.SaveToBytes(), bytes);
    EXPECT_EQ(tvtest::AddTo(store, OneOff("next", At(2026, 1, 1))), 8u);
}

// A large file is read through a window: records straddle its refills, and one is larger than
// the window. Whole or cut short, the file gives what its bytes give, and so does the day query.
TEST(EventStore, AFileLargerThanTheReadWindowReadsAsItsBytes) {
    tvtest::TempDir dir;
    const std::string path = dir.File("Evnt.est");
    CEventStore store(path);
    for (int i = 0; i < 1500; ++i) {
        CPtEvent ev = (i % 3) ? OneOff("one-off " + std::to_string(i), At(2026, 5, 1 + i % 3, i % 24))
                              : tvtest::Daily("daily " + std::to_string(i), At(2026, 4, 1, i % 24));
        ev.SetNote(std::string(i == 700 ? 300000 : i % 500, 'n'));
        store.Add(ev);
    }
    ASSERT_TRUE(store.Save().ok);
    const std::string bytes = dir.Read("Evnt.est");
    for (size_t size : {bytes.size(), bytes.size() - 3, bytes.size() / 2, size_t(70000)}) {
        SCOPED_TRACE(size);
        dir.Write("Evnt.est", bytes.substr(0, size));
        CEventStore streamed(path), fromBytes(path);
        const LoadReport a = streamed.Load(), b = fromBytes.LoadFromBytes(bytes.substr(0, size));
        EXPECT_EQ(std::tuple(a.status, a.itemsRead, a.message), std::tuple(b.status, b.itemsRead, b.message));
        EXPECT_EQ(streamed.SaveToBytes(), fromBytes.SaveToBytes());
        const DayQuery q = QueryEventsOfDay(path, At(2026, 5, 2));
        EXPECT_EQ(std::tuple(q.report.status, q.report.itemsRead), std::tuple(b.status, b.itemsRead));
        EXPECT_EQ(q.ids, DayIds(fromBytes, At(2026, 5, 2)));
    }
}

TEST(EventStore, ExhaustedRangesReuseTheLowestFreeIdOfTheWholeStore) {
    CEventList list(1, 4);  // ids 1, 2, 3
    CPtEvent ev;
    for (int i = 0; i < 3; ++i) EXPECT_NE(list.AddWithNewId(ev), nullptr);
    EXPECT_EQ(list.AddWithNewId(ev), nullptr);
    list.Remove(2);
    ASSERT_NE(list.AddWithNewId(ev), nullptr);
    EXPECT_EQ(ev.GetId(), 2u);
    // Once wrapped, ids above the reused one are checked before they are handed out again.
    CPtEvent more;
    EXPECT_EQ(list.AddWithNewId(more), nullptr);
    list.Remove(1);
    // An id another list already uses is skipped too.
    auto takenElsewhere = [](uint32_t id) { return id == 1; };
    EXPECT_EQ(list.AddWithNewId(ev, takenElsewhere), nullptr);
}

TEST(FileIo, RefusesFilesFarTooLargeToBeOurs) {
    tvtest::TempDir dir;
    {
        std::ofstream f(dir.File("huge"), std::ios::binary);
        f.seekp(static_cast<std::streamoff>(kMaxFileSize) + 1);
        f.put('x');
    }
    std::string bytes, why;
    EXPECT_EQ(ReadWholeFile(dir.File("huge"), bytes, why), ReadStatus::Failed);
    EXPECT_TRUE(bytes.empty());
    EXPECT_NE(why.find("too large"), std::string::npos);
}

// The store asks for its slots' pages ahead of use, next to memory that is already in use: the
// hint must leave every byte as it was, at ragged edges and for ranges smaller than a page.
TEST(Memory, PrefaultingKeepsWhatTheMemoryHolds) {
    std::vector<unsigned char> bytes(size_t(1) << 20);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    const std::vector<unsigned char> before = bytes;
    PrefaultForWriting(bytes.data() + 123, 300000);
    PrefaultForWriting(bytes.data() + 5000, 100);
    PrefaultForWriting(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, before);
}

TEST(EventStore, EventsOfManyDaysAgreeWithAskingDayByDay) {
    // Every kind of rule with random fields, anchors, ends (some before the start), invalid
    // starts and the out-of-range values only damaged files have, against the plain
    // one-day-at-a-time answer.
    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int ranges[4][5][2] = {{{1, 40}},
                                 {{1, 6}, {0, 127}},
                                 {{1, 12}, {1, 31}, {1, 5}, {1, 7}, {0, 1}},
                                 {{1, 12}, {1, 31}, {1, 5}, {1, 7}, {0, 1}}};
    CEventStore store;
    const DateTime origin = At(2026, 1, 1);
    for (int n = 0; n < 1500; ++n) {
        const DateTime start = origin + TimeSpan(pick(-400, 400)) + TimeSpan::FromSeconds(pick(0, 95) * 900);
        CPtEvent ev = OneOff("e", start);
        if (pick(0, 4) > 0) {
            CReCurrence& rule = ev.GetRecurrence();
            rule.SetStart(pick(0, 60) == 0 ? DateTime::Invalid() : start);
            const int kind = pick(0, 3);
            rule.SetPatternType(kind);
            ArchiveWriter fields;
            fields.WriteI32(1);
            fields.WriteI32(1);
            for (const auto& range : ranges[kind])
                fields.WriteI32(pick(0, 40) == 0 ? pick(0, 1) * 1000 : pick(range[0], range[1]));
            ArchiveReader ar(fields.Data());
            rule.GetPattern()->Serialize(ar);
            rule.SetEndEnabled(pick(0, 2) == 0);
            rule.SetEnd((start + TimeSpan(pick(-30, 400))).DateOnly());
            if (pick(0, 2) == 0) rule.SetAnchor(start + TimeSpan(pick(0, 500)) + TimeSpan(pick(0, 1439) / 1440.0));
        }
        store.Add(ev);
    }
    size_t total = 0;
    for (int run = 0; run < 60; ++run) {
        // The Daily view passes a time of day too.
        const DateTime first = origin + TimeSpan(pick(-500, 500)) + TimeSpan(run % 3 == 0 ? 0.6 : 0.0);
        const int count = pick(1, 70);
        std::vector<std::vector<CEventStore::DayEvent>> days;
        store.GetEventsOfDays(first, count, days);
        ASSERT_EQ(days.size(), size_t(count));
        for (int d = 0; d < count; ++d) {
            const DateTime day = first + TimeSpan(double(d));
            std::vector<const CPtEvent*> expected;
            store.GetEventsOfDay(day, expected);
            ASSERT_EQ(days[d].size(), expected.size()) << day.ToIsoText();
            for (size_t i = 0; i < expected.size(); ++i) {
                ASSERT_EQ(days[d][i].event, expected[i]);
                EXPECT_EQ(days[d][i].occurrence, expected[i]->GetOccurrenceOnOrAfter(day));
            }
            total += expected.size();
        }
    }
    EXPECT_GT(total, 10000u);  // the runs really met events
}

TEST(IdIndex, IdsSharingTheirLowBitsStayQuickToFind) {
    // Only a damaged file holds ids like these; they must not pile up into one long run.
    IdIndex<int> index;
    for (uint32_t k = 1; k <= 20000; ++k) index.set(k << 12, int(k));
    for (uint32_t k = 1; k <= 20000; k += 7) {
        ASSERT_NE(index.find(k << 12), nullptr);
        EXPECT_EQ(*index.find(k << 12), int(k));
    }
    EXPECT_TRUE(index.erase(5u << 12));
    EXPECT_FALSE(index.contains(5u << 12));
    EXPECT_EQ(index.size(), 19999u);
}
