// Damaged, foreign and absurd files: read what can be read, say so, never crash or hang,
// and never save over such a file without keeping a copy of it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <sstream>

#include "ByteBuilder.h"
#include "Cli.h"
#include "TempDir.h"
#include "engine/ReminderScheduler.h"
#include "store/EventTypeTable.h"
#include "store/EventStore.h"
#include "store/TransferFiles.h"
#include "texts/UserTexts.h"

using namespace tv;
using tvtest::Bytes;

namespace {

const DateTime kNow = DateTime::FromParts(2026, 6, 1, 12, 0, 0);

// Three events of different shapes, as the program writes them.
void FillSmall(CEventTypeTable& types, CEventStore& store) {
    for (CEventType t : DefaultEventTypes(kNow)) types.AddType(t);
    CPtEvent once(kNow);
    once.SetName("Dentist");
    once.SetNote("Bring the card");
    once.SetStart(DateTime::FromParts(2026, 6, 3, 9, 30));
    store.Add(once);
    CPtEvent daily(kNow);
    daily.SetName("Pills");
    daily.GetRecurrence().SetPatternType(kPatternDaily);
    store.Add(daily);
    CPtEvent yearly(kNow);
    yearly.SetName("Anna");
    yearly.GetRecurrence().SetPatternType(kPatternYearly);
    store.Add(yearly);
}

std::string SmallEventFile() {
    CEventTypeTable types;
    CEventStore store;
    FillSmall(types, store);
    return store.SaveToBytes();
}

// An event record field by field; pattern holds everything from hasPattern on.
Bytes EventRecord(uint32_t id, const std::string& name, const Bytes& pattern, double start = 46174.5,
                  int32_t startStatus = 0, double remindBefore = 0.0) {
    Bytes b;
    b.i32(1).u32(id).i32(2).i32(0).i32(1800).i32(1);
    b.i32(1).i32(0).i32(1800).date(start, startStatus).date(start, startStatus).date(0.0);
    b.append(pattern);
    b.text(name).text("").text("");
    b.date(0.0).date(remindBefore).date(start, startStatus).u32(0);
    return b;
}

Bytes NoPattern() { return Bytes().i32(0); }
Bytes Pattern(const std::string& cls, std::initializer_list<int32_t> fields) {
    Bytes b;
    b.i32(1).text(cls).i32(1).i32(1);
    for (int32_t f : fields) b.i32(f);
    return b;
}

Bytes EventFileHeader() { return Bytes().text("KORVATE").u16(0x0100).zeros(512); }

std::string EventFile(const std::vector<Bytes>& oneOff, const std::vector<Bytes>& recurring) {
    Bytes b = EventFileHeader();
    b.u32(static_cast<uint32_t>(oneOff.size())).u32(100).u32(0x80000000u);
    for (const Bytes& r : oneOff) b.append(r);
    b.u32(static_cast<uint32_t>(recurring.size())).u32(0x80000100u).u32(0xFFFFFFFFu);
    for (const Bytes& r : recurring) b.append(r);
    return b.str();
}

// A pop-up that answers at once: announced events are accepted.
class AcceptingSink final : public IReminderSink {
public:
    AcceptingSink(CEventStore& store) : m_store(store) {}
    bool PostEventPop(uint32_t id) override {
        ++announced[id];
        pending.push_back(id);
        return true;
    }
    void AcceptAll(const DateTime& now) {
        for (uint32_t id : pending) {
            CPtEvent ev;
            if (!m_store.GetById(id, ev)) continue;
            ev.Accept(now);
            ev.ClearShowing();
            m_store.Modify(id, ev, ShowingMark::Replace);
        }
        pending.clear();
    }
    std::map<uint32_t, int> announced;
    std::vector<uint32_t> pending;

private:
    CEventStore& m_store;
};

}  // namespace

// ---- the event file -----------------------------------------------------------------------

TEST(DamagedEventFile, TruncatedAtEveryOffsetKeepsWhatCameBefore) {
    const std::string file = SmallEventFile();
    CEventStore original;
    ASSERT_EQ(original.LoadFromBytes(file).status, LoadStatus::Ok);
    ASSERT_EQ(original.GetCount(), 3u);
    size_t lastCount = 0;
    for (size_t k = 0; k < file.size(); ++k) {
        CEventStore store("Evnt.est");
        const LoadReport r = store.LoadFromBytes(std::string_view(file).substr(0, k));
        ASSERT_TRUE(r.NeedsPreservation()) << k;
        ASSERT_FALSE(r.message.empty()) << k;
        ASSERT_EQ(r.status, k < 8 ? LoadStatus::WrongTag : LoadStatus::Damaged) << k;
        ASSERT_LT(store.GetCount(), 3u) << k;
        ASSERT_GE(store.GetCount(), lastCount) << "a longer prefix gave fewer events at " << k;
        lastCount = store.GetCount();
        // Everything that was read is exactly what was written.
        store.ForEachEvent([&](const CPtEvent& ev) {
            CPtEvent want;
            ASSERT_TRUE(original.GetById(ev.GetId(), want)) << k;
            EXPECT_TRUE(ev.SameStoredFields(want)) << k;
        });
    }
    EXPECT_EQ(lastCount, 2u);
}

TEST(DamagedEventFile, WrongTagsReadNothing) {
    const std::string good = SmallEventFile();
    for (std::string tag : {"KORVATF", "korvate", "", "KORVATE[Backup]1000", "PLUMTRC"}) {
        std::string bad = good;
        bad.replace(0, 8, Bytes().text(tag).str());
        CEventStore store("Evnt.est");
        const LoadReport r = store.LoadFromBytes(bad);
        EXPECT_EQ(r.status, LoadStatus::WrongTag) << tag;
        EXPECT_EQ(store.GetCount(), 0u);
        EXPECT_NE(r.message.find("not a Tallyvane event file"), std::string::npos);
    }
}

TEST(DamagedEventFile, HugeLengthsAndCountsAllocateNothingAndStop) {
    const Bytes first = EventRecord(1, "First", NoPattern());
    // A name whose 32-bit length claims 4 GiB (a wide one is an Archive test's case).
    Bytes longName;
    longName.i32(1).u32(2).i32(2).i32(0).i32(1800).i32(1);
    longName.i32(1).i32(0).i32(1800).date(46174.5).date(46174.5).date(0.0).i32(0);
    longName.u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFFu).raw("short");
    {
        CEventStore store;
        const LoadReport r = store.LoadFromBytes(EventFile({first, longName}, {}));
        EXPECT_EQ(r.status, LoadStatus::Damaged);
        EXPECT_EQ(store.GetCount(), 1u);
    }
    {
        // A count of four billion followed by one record.
        Bytes b = EventFileHeader();
        b.u32(0xFFFFFFFFu).u32(2).u32(0x80000000u).append(first);
        CEventStore store;
        const LoadReport r = store.LoadFromBytes(b.str());
        EXPECT_EQ(r.status, LoadStatus::Damaged);
        EXPECT_EQ(store.GetCount(), 1u);
    }
}

TEST(DamagedEventFile, UnknownPatternClassStopsThereAndSaysWhy) {
    const std::string file = EventFile({EventRecord(1, "Kept", NoPattern())},
                                       {EventRecord(0x80000001u, "Daily", Pattern("CDailyRePattern", {2})),
                                        EventRecord(0x80000002u, "Hourly", Pattern("CHourlyRePattern", {1})),
                                        EventRecord(0x80000003u, "After", NoPattern())});
    CEventStore store("Evnt.est");
    const LoadReport r = store.LoadFromBytes(file);
    EXPECT_EQ(r.status, LoadStatus::Damaged);
    EXPECT_NE(r.message.find("unknown recurrence pattern \"CHourlyRePattern\""), std::string::npos) << r.message;
    EXPECT_EQ(store.GetCount(), 2u);
    CPtEvent ev;
    EXPECT_TRUE(store.GetById(1, ev));
    EXPECT_TRUE(store.GetById(0x80000001u, ev));
}

// Values no editor writes but a damaged file can hold. They are kept as read (the user sees
// and can repair them); every question about them answers at once, and none of them makes
// the scheduler announce an event again and again.
TEST(DamagedEventFile, OutOfRangeFieldsNeverHangOrRepeatReminders) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Bytes> recurring = {
        EventRecord(0, "daily 0", Pattern("CDailyRePattern", {0})),
        EventRecord(0, "daily max", Pattern("CDailyRePattern", {0x7FFFFFFF})),
        EventRecord(0, "daily negative", Pattern("CDailyRePattern", {-5})),
        EventRecord(0, "weekly max", Pattern("CWeeklyRePattern", {0x7FFFFFFF, 0x7F})),
        EventRecord(0, "weekly no days", Pattern("CWeeklyRePattern", {1, 0})),
        EventRecord(0, "weekly mask -1", Pattern("CWeeklyRePattern", {3, -1})),
        EventRecord(0, "monthly weekday 99", Pattern("CMonthlyRePattern", {1, 1, 2, 99, 0})),
        EventRecord(0, "monthly day 99", Pattern("CMonthlyRePattern", {0x7FFFFFFF, 99, 1, 1, 1})),
        EventRecord(0, "monthly ordinal 0", Pattern("CMonthlyRePattern", {2, 1, 0, 3, 0})),
        EventRecord(0, "yearly month 13", Pattern("CYearlyRePattern", {13, 1, 1, 1, 1})),
        EventRecord(0, "yearly 30 Feb", Pattern("CYearlyRePattern", {2, 30, 1, 1, 1})),
        EventRecord(0, "yearly weekday 99", Pattern("CYearlyRePattern", {6, 1, 3, 99, 0})),
        EventRecord(0, "NaN start", Pattern("CDailyRePattern", {1}), nan),
        EventRecord(0, "infinite start", Pattern("CWeeklyRePattern", {1, 1}), inf),
        EventRecord(0, "far start", Pattern("CMonthlyRePattern", {1, 1, 1, 1, 1}), 1e300),
        EventRecord(0, "status 7", Pattern("CYearlyRePattern", {6, 1, 1, 1, 1}), 46174.5, 7),
        EventRecord(0, "NaN remind-before", Pattern("CDailyRePattern", {1}), 46174.5, 0, nan),
        EventRecord(0, "huge remind-before", Pattern("CDailyRePattern", {1}), 46174.5, 0, 1e300),
    };
    const std::vector<Bytes> oneOff = {
        EventRecord(0, "one-off NaN", NoPattern(), nan),
        EventRecord(0, "one-off -1e300", NoPattern(), -1e300),
        EventRecord(0, "one-off null", NoPattern(), 0.0, 2),
    };
    CEventStore store("Evnt.est");
    const LoadReport r = store.LoadFromBytes(EventFile(oneOff, recurring));
    ASSERT_EQ(r.status, LoadStatus::Ok) << r.message;
    EXPECT_EQ(store.GetCount(), oneOff.size() + recurring.size());
    EXPECT_EQ(r.renumbered, store.GetCount());  // id 0 is no id

    store.ForEachEvent([](const CPtEvent& ev) {
        (void)ev.GetRecurrence().GetDescription();
        (void)ev.GetOccurrence(kNow).ToIsoText();
        (void)ev.GetStart().Format("%c");
    });
    std::vector<const CPtEvent*> day;
    for (int d = 0; d < 40; ++d) store.GetEventsOfDay(kNow + TimeSpan(d), day);

    // Three days of passes, one an hour, with every announcement accepted at once.
    AcceptingSink sink(store);
    for (int hour = 0; hour < 72; ++hour) {
        const DateTime now = kNow + TimeSpan::FromSeconds(3600 * hour);
        CReminderScheduler::CheckPass(store, now, sink);
        sink.AcceptAll(now);
    }
    for (const auto& [id, count] : sink.announced) {
        CPtEvent ev;
        store.GetById(id, ev);
        EXPECT_LE(count, 4) << "\"" << ev.GetName() << "\" was announced " << count << " times in three days";
    }
}

TEST(DamagedEventFile, RepeatedAndMisplacedIdsAreRepairedWithoutLosingEvents) {
    // nextId 1 although ids 1 and 2 are in use, id 2 twice, a recurring event in the one-off list.
    Bytes b = EventFileHeader();
    b.u32(4).u32(1).u32(0x80000000u);
    b.append(EventRecord(1, "a", NoPattern())).append(EventRecord(2, "b", NoPattern()));
    b.append(EventRecord(2, "c", NoPattern())).append(EventRecord(3, "d", Pattern("CDailyRePattern", {1})));
    // Two recurring events with the id 0xFFFFFFFF, which names no record.
    b.u32(3).u32(0x80000001u).u32(0xFFFFFFFFu).append(EventRecord(1, "e", Pattern("CDailyRePattern", {1})));
    b.append(EventRecord(0xFFFFFFFFu, "f", Pattern("CDailyRePattern", {1})));
    b.append(EventRecord(0xFFFFFFFFu, "g", Pattern("CDailyRePattern", {1})));
    CEventStore store;
    const LoadReport r = store.LoadFromBytes(b.str());
    EXPECT_EQ(r.status, LoadStatus::Ok);
    EXPECT_EQ(r.renumbered, 4u);
    EXPECT_EQ(store.GetCount(), 7u);
    for (uint32_t id : store.GetAllIds()) {
        ASSERT_NE(store.GetPtrById(id), nullptr) << id;
        EXPECT_NE(id, 0xFFFFFFFFu);
    }
    // New events get ids nobody has.
    CPtEvent added(kNow), again(kNow);
    ASSERT_TRUE(store.Add(added));
    ASSERT_TRUE(store.Add(again));
    const std::vector<uint32_t> ids = store.GetAllIds();
    EXPECT_EQ(std::set<uint32_t>(ids.begin(), ids.end()).size(), 9u);
    EXPECT_TRUE(store.Delete(added.GetId()));
    EXPECT_EQ(store.GetCount(), 8u);
}

// ---- the type file, backups, exports and the older product's files ----------------------

TEST(DamagedTransferFiles, TruncatedFilesChangeNothing) {
    CEventTypeTable types;
    CEventStore store;
    FillSmall(types, store);
    const std::string backup = BackupToBytes(types, store), exported = ExportToBytes(types, store);
    ArchiveWriter table;
    types.WriteTable(table);
    for (size_t k = 0; k < backup.size(); k += 7) {
        CEventTypeTable t;
        CEventStore s;
        FillSmall(t, s);
        const std::string before = s.SaveToBytes();
        const TransferResult r = RestoreBackupFromBytes(backup.substr(0, k), "x.bak", t, s);
        ASSERT_FALSE(r.ok()) << k;
        ASSERT_EQ(s.SaveToBytes(), before) << k;
    }
    for (size_t k = 0; k < exported.size(); k += 7) {
        CEventTypeTable t;
        CEventStore s;
        const TransferResult r = ImportExportBytes(exported.substr(0, k), "x.exp", ImportOptions{}, t, s);
        ASSERT_FALSE(r.ok()) << k;
        ASSERT_EQ(s.GetCount(), 0u) << k;
        ASSERT_EQ(t.GetCount(), 0u) << k;
    }
    for (size_t k = 0; k < table.Data().size(); ++k) {
        CEventTypeTable t;
        const LoadReport r = t.LoadFromBytes(std::string_view(table.Data()).substr(0, k), "Type.ptt");
        ASSERT_EQ(r.status, LoadStatus::Damaged) << k;
        ASSERT_LT(t.GetCount(), types.GetCount());
    }
}

TEST(DamagedTransferFiles, WrongTagsGiveTheirMessages) {
    CEventTypeTable types;
    CEventStore store;
    FillSmall(types, store);
    const std::string backup = BackupToBytes(types, store), exported = ExportToBytes(types, store);
    CEventTypeTable t;
    CEventStore s;
    TransferResult r = RestoreBackupFromBytes(exported, "x.bak", t, s);
    EXPECT_EQ(r.error, TransferError::WrongTag);
    EXPECT_EQ(r.message, texts::kInvalidBackup);
    r = ImportExportBytes(backup, "x.exp", ImportOptions{}, t, s);
    EXPECT_EQ(r.error, TransferError::WrongTag);
    EXPECT_EQ(r.message, texts::kInvalidExport);
    r = ImportPlumtraceBytes(Bytes().u32(0).u32(1).str(), Bytes().text("PLUMTRX").str(), "evty.ptt", "evnt.pte", t, s);
    EXPECT_EQ(r.message, texts::kInvalidPlumtrace);
    EXPECT_EQ(s.GetCount(), 0u);
}

TEST(DamagedTransferFiles, HugeCountsStopAtTheEndOfTheData) {
    CEventTypeTable t;
    CEventStore s;
    TransferResult r = ImportExportBytes(Bytes().text(kExportTag).u32(0xFFFFFFFFu).u32(1).u32(2).str(), "x.exp",
                                         ImportOptions{}, t, s);
    EXPECT_EQ(r.error, TransferError::ArchiveError);
    r = RestoreBackupFromBytes(Bytes().text(kBackupTag).u32(0).u32(1).u32(2).u32(0xFFFFFFFFu).u32(1).u32(2).str(),
                               "x.bak", t, s);
    EXPECT_EQ(r.error, TransferError::ArchiveError);
    Bytes pte;
    pte.text("PLUMTRC").u16(0x203).u32(0).u32(0).zeros(505).text("").text("").u32(0xFFFFFFFFu).u32(0);
    r = ImportPlumtraceBytes(Bytes().u32(0xFFFFFFFFu).u32(1).str(), pte.str(), "evty.ptt", "evnt.pte", t, s);
    EXPECT_EQ(r.error, TransferError::ArchiveError);
    EXPECT_NE(r.message.find("evty.ptt"), std::string::npos);
    r = ImportPlumtraceBytes(Bytes().u32(0).u32(1).str(), pte.str(), "evty.ptt", "evnt.pte", t, s);
    EXPECT_EQ(r.error, TransferError::ArchiveError);
    EXPECT_NE(r.message.find("evnt.pte"), std::string::npos);
    EXPECT_EQ(s.GetCount(), 0u);
}

TEST(DamagedTransferFiles, HolidayLinesForDaysAMonthLacksAreSkipped) {
    CEventTypeTable t;
    CEventStore s;
    const TransferResult r =
        ImportHolidayText("Header\nLeap,1,2,29\nNone,1,2,30\nShort,1,4,31\nFine,1,2,28\nLast,1,12,31\n", t, s, kNow);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.eventsAdded, 2u);
    s.ForEachEvent([](const CPtEvent& ev) { EXPECT_TRUE(ev.GetOccurrence(kNow).IsValid()) << ev.GetName(); });
}

// ---- end to end through the command-line tool --------------------------------------------

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun Cli(const tvtest::TempDir& dir, std::vector<std::string> args) {
    std::vector<std::string> all{"--data-dir", dir.Path(), "--now", "2026-06-01 12:00:00"};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out, err;
    const int code = cli::Run(all, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> DamagedCopies(const tvtest::TempDir& dir, const std::string& name) {
    std::vector<std::string> copies;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        const std::string n = e.path().filename().string();
        if (n.rfind(name + ".damaged-", 0) == 0) copies.push_back(n);
    }
    return copies;
}

size_t CountEvents(const std::string& json) {
    size_t n = 0;
    for (size_t at = json.find("\"id\""); at != std::string::npos; at = json.find("\"id\"", at + 1)) ++n;
    return n;
}

}  // namespace

// The chosen policy: a damaged file is read as far as it goes and the user is warned; reading
// commands never write; the first save over it first keeps the whole file as
// NAME.damaged-YYYYMMDD-HHMMSS and says so; later saves (the file is now whole) keep nothing.
TEST(DamagedFilesThroughCli, WarnReadWhatCanBeReadAndKeepACopyBeforeTheFirstSave) {
    tvtest::TempDir dir;
    const std::string full = SmallEventFile();
    const std::string damaged = full.substr(0, full.size() - 10);
    dir.Write("Evnt.est", damaged);

    const CliRun list = Cli(dir, {"events"});
    EXPECT_EQ(list.code, 0);
    EXPECT_EQ(list.err.rfind("warning: The event file", 0), 0u) << list.err;
    EXPECT_NE(list.err.find("is damaged"), std::string::npos);
    EXPECT_NE(list.err.find("2 events could be read"), std::string::npos) << list.err;
    EXPECT_EQ(CountEvents(list.out), 2u);
    EXPECT_EQ(dir.Read("Evnt.est"), damaged);
    EXPECT_TRUE(DamagedCopies(dir, "Evnt.est").empty()) << "a reading command wrote a copy";

    const CliRun add = Cli(dir, {"add", "--name", "New", "--start", "2026-06-05 10:00"});
    EXPECT_EQ(add.code, 0) << add.err;
    EXPECT_NE(add.err.find("The damaged event file was kept as"), std::string::npos) << add.err;
    const auto copies = DamagedCopies(dir, "Evnt.est");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(dir.Read(copies[0]), damaged);
    CEventStore reread;
    EXPECT_EQ(reread.LoadFromBytes(dir.Read("Evnt.est")).status, LoadStatus::Ok);
    EXPECT_EQ(reread.GetCount(), 3u);

    const CliRun second = Cli(dir, {"add", "--name", "Newer", "--start", "2026-06-06 10:00"});
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(DamagedCopies(dir, "Evnt.est").size(), 1u);
}

TEST(DamagedFilesThroughCli, DamagedTypeFileIsKeptBeforeAnImportSavesTypes) {
    tvtest::TempDir dir;
    CEventTypeTable types;
    CEventStore store;
    FillSmall(types, store);
    ArchiveWriter table;
    types.WriteTable(table);
    const std::string damaged = table.Data().substr(0, table.Data().size() / 2);
    dir.Write("Type.ptt", damaged);
    dir.Write("h.hdy", "Header\nNew Year,1,1,1\n");

    const CliRun r = Cli(dir, {"import-holidays", dir.File("h.hdy")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err.rfind("warning: The event type file", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("The damaged event type file was kept as"), std::string::npos) << r.err;
    const auto copies = DamagedCopies(dir, "Type.ptt");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(dir.Read(copies[0]), damaged);
}

TEST(DamagedFilesThroughCli, ForeignFileIsKeptAndAnUncopyableOneIsNeverOverwritten) {
    tvtest::TempDir dir;
    dir.Write("Evnt.est", "These are my notes, not an event file.\n");
    const CliRun list = Cli(dir, {"events"});
    EXPECT_EQ(list.code, 0);
    EXPECT_NE(list.err.find("warning: The event file"), std::string::npos);
    EXPECT_NE(list.err.find("not a Tallyvane event file"), std::string::npos);
    const CliRun add = Cli(dir, {"add", "--name", "New", "--start", "2026-06-05 10:00"});
    EXPECT_EQ(add.code, 0);
    ASSERT_EQ(DamagedCopies(dir, "Evnt.est").size(), 1u);
    EXPECT_EQ(dir.Read(DamagedCopies(dir, "Evnt.est")[0]), "These are my notes, not an event file.\n");

    // A folder in the file's place can be neither read nor copied: the command stops before
    // anything could replace it.
    tvtest::TempDir other;
    std::filesystem::create_directory(other.File("Evnt.est"));
    other.Write("Evnt.est/inside", "x");
    const CliRun refused = Cli(other, {"add", "--name", "New", "--start", "2026-06-05 10:00"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("is not a file that can be read"), std::string::npos) << refused.err;
    EXPECT_TRUE(std::filesystem::is_directory(other.File("Evnt.est")));
    EXPECT_EQ(other.Read("Evnt.est/inside"), "x");
}

// A named pipe where the event file belongs must not hang the start: it is refused at once,
// and since it cannot be copied either, nothing is ever saved over it.
TEST(DamagedEventFile, NamedPipeInsteadOfTheFileIsRefusedAtOnce) {
    tvtest::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("Evnt.est").c_str(), 0600), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::alarm(10);  // a hang ends the child with SIGALRM
        CEventStore store(dir.File("Evnt.est"));
        const LoadReport r = store.Load();
        const bool refused = r.status == LoadStatus::Unreadable && r.NeedsPreservation() && !store.Save().ok;
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "reading a named pipe hung";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("Evnt.est")));
}
