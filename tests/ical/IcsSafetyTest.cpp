// Hostile calendar files, importing twice, and UIDs across exports and restores.
#include <gtest/gtest.h>

#include <functional>

#include "IcsExport.h"
#include "IcsImport.h"
#include "Events.h"
#include "IcsTestSupport.h"
#include "TempDir.h"
#include "store/TransferFiles.h"

using namespace tv;
using namespace tv::ics;
using namespace tvtest;

namespace {

std::string Calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& uid, const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20261201T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

CEventTypeTable& Types() {
    static CEventTypeTable types;
    if (types.GetCount() == 0)
        for (CEventType t : DefaultEventTypes(kIcsNow)) types.AddType(t);
    return types;
}

}  // namespace

TEST(IcsHostile, RefusedWholeOrReadWithBoundsAndNeverHalfWay) {
    struct Row {
        const char* what;
        std::string text;
        const char* refusal;  // part of the message; null when the file is read
        std::function<void(const IcsImportPlan&)> check;
    };
    const std::string zone = "BEGIN:VTIMEZONE\r\nTZID:X\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                             "RRULE:FREQ=HOURLY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    auto noEnd = [](const IcsImportPlan& p) {
        ASSERT_EQ(p.items.size(), 1u);
        EXPECT_TRUE(p.items[0].event.IsRecurrent());
        EXPECT_FALSE(p.items[0].event.GetRecurrence().IsEndEnabled());
    };
    const Row rows[] = {
        {"nesting", Calendar(Repeat("BEGIN:X\r\n", 100000)), "nested more than 12 deep", nullptr},
        {"nesting hidden in folds", Calendar(Repeat("BEG\r\n IN:X\r\n", 20)), "nested", nullptr},
        {"a NUL byte", Calendar(std::string("X-A:\0\r\n", 7)), "NUL byte", nullptr},
        {"no calendar", "hello\r\n", "not an iCalendar file", nullptr},
        {"cut short", "BEGIN:VCALENDAR\r\n" + Event("a", "DTSTART:20270101T100000\r\n").substr(0, 60), "cut short", nullptr},
        {"a garbled line", Calendar(Event("a", "DTSTART:20270101T100000\r\nRRULE:FREQ=SOMETIMES\r\n")), "libical", nullptr},
        {"a zone changing every hour", Calendar(zone + Event("a", "DTSTART;TZID=X:20270101T100000\r\n")), "rules that no time zone has", nullptr},
        {"more than 32 MB", Calendar(Repeat("X-PAD:" + std::string(1000, 'x') + "\r\n", 34000)), "larger than 32 MB", nullptr},
        {"a zoned year 9999", Calendar(Event("a", "DTSTART;TZID=Europe/Berlin:99991231T100000\r\n")), nullptr,
         [](const IcsImportPlan& p) {
             EXPECT_TRUE(p.items.empty());
             ASSERT_EQ(p.notes.size(), 1u);
             EXPECT_NE(p.notes[0].find("outside the years"), std::string::npos);
         }},
        {"an endless COUNT", Calendar(Event("a", "DTSTART:20270101T100000\r\nRRULE:FREQ=DAILY;COUNT=2147483647\r\n")), nullptr, noEnd},
        {"29 February for a million years",
         Calendar(Event("a", "DTSTART:20280229T100000\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29;COUNT=1000000\r\n")), nullptr, noEnd},
        {"an 8 MB summary", Calendar(Event("a", "DTSTART:20270101T100000\r\nSUMMARY:" + std::string(8 << 20, 'x') + "\r\n")), nullptr,
         [](const IcsImportPlan& p) {
             ASSERT_EQ(p.items.size(), 1u);
             EXPECT_EQ(p.items[0].event.GetName().size(), 255u);
             EXPECT_EQ(p.items[0].problems, std::vector<std::string>{"SUMMARY longer than 255 characters"});
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const IcsImportPlan plan = ReadCalendar(row.text, Types(), kIcsNow);
        if (row.refusal) {
            EXPECT_FALSE(plan.ok);
            EXPECT_TRUE(plan.items.empty());
            EXPECT_NE(plan.message.find(row.refusal), std::string::npos) << plan.message;
        } else {
            ASSERT_TRUE(plan.ok) << plan.message;
            row.check(plan);
        }
    }
}

// Importing an export into its own store or an emptied one is the CLI's and the app's test.
TEST(IcsUids, KeptAcrossExportsAndRestores) {
    TempDir dir;
    CEventStore store(dir.File("Evnt.est"));
    for (const char* name : {"A", "B", "C"}) AddTo(store, OneOff(name, At(2027, 1, 4, 9, 0)));
    AddTo(store, Weekly("No day", At(2027, 1, 5, 9, 0), 0));
    const IcsFileExport written = ExportIcsFile(dir.File("a.ics"), store, Types(), kIcsNow);
    ASSERT_TRUE(written.file.ok);
    EXPECT_EQ(written.events, 4u);
    EXPECT_EQ(written.warnings, std::vector<std::string>{"\"No day\": its rule falls on no day; written as a one-off event."});
    EXPECT_EQ(Expanded(dir.Read("a.ics")).size(), 4u);
    // Exported again, every event keeps its UID.
    const std::string uidFile = dir.Read("Evnt.uid");
    ASSERT_TRUE(ExportIcsFile(dir.File("b.ics"), store, Types(), kIcsNow).file.ok);
    EXPECT_EQ(dir.Read("Evnt.uid"), uidFile);
    CUidMap uids(CUidMap::PathBeside(store.GetFilePath()));
    uids.Load();

    // A backup taken after B was changed: restored, A and C keep their UIDs, B gets a new one.
    CPtEvent b;
    store.GetById(2, b);
    b.SetName("B changed");
    store.Modify(2, b);
    const std::string backup = BackupToBytes(Types(), store);
    CEventTypeTable types;
    ASSERT_TRUE(RestoreBackupFromBytes(backup, "x.bak", types, store).ok());
    ASSERT_TRUE(ReconcileUidsAfterRestore(store).ok);
    CUidMap restored(CUidMap::PathBeside(store.GetFilePath()));
    restored.Load();
    EXPECT_EQ(*restored.UidOf(1), *uids.UidOf(1));
    EXPECT_EQ(restored.UidOf(2), nullptr);
    EXPECT_EQ(*restored.UidOf(3), *uids.UidOf(3));
}
