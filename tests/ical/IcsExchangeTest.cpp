// Calendars moving both ways: peers' files read day by day as libical expands them, the
// program's own export expanded by libical, and a real peer reading the export.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "IcsExport.h"
#include "IcsImport.h"
#include "IcsRule.h"
#include "IcsTestSupport.h"
#include "TempDir.h"

using namespace tv;
using namespace tv::ics;
using namespace tvtest;

namespace {

constexpr char kCannotHold[] = "characters this calendar cannot hold yet";

std::string ReadFixture(const std::string& name) {
    std::ifstream in(std::string(TALLYVANE_TEST_DATA) + "/ical/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

CEventTypeTable& Types() {
    static CEventTypeTable types;
    if (types.GetCount() == 0)
        for (CEventType t : DefaultEventTypes(kIcsNow)) types.AddType(t);
    return types;
}

struct PeerFile {
    const char* file;
    size_t events;
    std::map<std::string, std::string> problems;  // UID -> a problem its event must name
};

void PrintTo(const PeerFile& peer, std::ostream* os) { *os << peer.file; }

class PeerFiles : public ::testing::TestWithParam<PeerFile> {};

}  // namespace

TEST_P(PeerFiles, ImportTheOccurrencesLibicalExpands) {
    const PeerFile& peer = GetParam();
    const std::string text = ReadFixture(peer.file);
    IcsImportPlan plan = ReadCalendar(text, Types(), kIcsNow);
    ASSERT_TRUE(plan.ok) << plan.message;
    ASSERT_EQ(plan.items.size(), peer.events);
    std::set<std::string> exact;
    for (const IcsImportItem& item : plan.items) {
        std::vector<std::string> problems;
        for (const std::string& p : item.problems)
            if (p != kCannotHold) problems.push_back(p);
        const auto expected = peer.problems.find(item.uid);
        if (expected == peer.problems.end()) {
            EXPECT_TRUE(problems.empty()) << DescribeItem(item);
            exact.insert(item.uid);
        } else {
            EXPECT_NE(DescribeItem(item).find(expected->second), std::string::npos) << DescribeItem(item);
        }
    }
    CEventStore store;
    CUidMap uids;
    MarkPresent(plan, store, uids);
    EXPECT_EQ(ApplyImport(plan, store, uids).added, peer.events);
    Occurrences listed;
    for (const std::string& o : Listed(store, uids))
        if (exact.count(o.substr(17))) listed.insert(o);
    EXPECT_EQ(listed, Expanded(text, exact));
}

INSTANTIATE_TEST_SUITE_P(
    Peers, PeerFiles,
    ::testing::Values(
        PeerFile{"thunderbird.ics", 4, {{"3f0b8a0e-5a4c-4b8e-9d1e-0c2a7f6e1a04", "1 more VALARM(s)"}}},
        PeerFile{"google.ics", 7,
                 {{"0pf8a5h6y7l8k9o0o1g2l3e4f5@google.com", "EXDATE (1 date(s) left out)"},
                  {"1qg9b6i7z8m9l0o1o2g3l4e5g6@google.com", "RECURRENCE-ID (1 occurrence(s) changed)"}}},
        PeerFile{"nextcloud.ics", 6,
                 {{"bc5b4a9e-5d6f-4a7b-c2d3-e4f5a6b7c8d9", "FREQ=HOURLY"},
                  {"cd6c5b0f-6e7a-4b8c-d3e4-f5a6b7c8d9e0", "BYMONTHDAY=31 (skips months without that day)"}}},
        PeerFile{"apple.ics", 4, {}}),
    [](const auto& info) { return std::string(info.param.file).substr(0, std::string(info.param.file).find('.')); });

TEST(PeerFields, NamesRemindersDurationsAndTypes) {
    struct Row {
        const char* file;
        const char* uid;
        const char* name;  // UTF-8
        int64_t remindBefore;
        int duration;
        const char* type;
    };
    const Row rows[] = {
        // VALARM relative to the start, to the end (5 hours before a 4-hour evening), a day
        // before an all-day event, an alarm that only sounds, and one at a fixed moment.
        {"thunderbird.ics", "3f0b8a0e-5a4c-4b8e-9d1e-0c2a7f6e1a01", "Jour fixe \xE2\x80\x93 Stra\xC3\x9F" "e & Co.", 900, 3600, "Meeting"},
        {"thunderbird.ics", "3f0b8a0e-5a4c-4b8e-9d1e-0c2a7f6e1a02", "Stammtisch", 3600, 14400, "Alarm"},
        {"thunderbird.ics", "3f0b8a0e-5a4c-4b8e-9d1e-0c2a7f6e1a03", "Geburtstag J\xC3\xB6rg", 86400, 86400, "Birthday"},
        {"google.ics", "5ka3v0c1t2h3g4o5o6g7l8e9a0@google.com",
         "Laufen im Park \xE2\x80\x93 Treffpunkt am Eingang beim Caf\xC3\xA9 \xC3\x96sterreich (Nordseite)", 600, 1800, "Alarm"},
        {"nextcloud.ics", "7e1d0c5a-1f2b-4c3d-8e9f-a0b1c2d3e4f5",
         "\xD0\x92\xD1\x81\xD1\x82\xD1\x80\xD0\xB5\xD1\x87\xD0\xB0 \xD1\x81 \xD0\xBA\xD0\xBE\xD0\xBC\xD0\xB0\xD0\xBD\xD0\xB4\xD0\xBE\xD0\xB9",
         3600, 3600, "Alarm"},
        {"apple.ics", "5C1E3A2B-7D4F-4E6A-9B8C-1D2E3F4A5B6C", "Mittagessen mit Zo\xC3\xAB", 1800, 3600, "Alarm"},
        {"apple.ics", "8F4B6D5E-0A7C-4B9D-CE1F-4A5B6C7D8E9F", "Kino", 3600, 7200, "Alarm"},
    };
    for (const Row& row : rows) {
        const IcsImportPlan plan = ReadCalendar(ReadFixture(row.file), Types(), kIcsNow);
        const auto item = std::find_if(plan.items.begin(), plan.items.end(), [&](auto& i) { return i.uid == row.uid; });
        ASSERT_NE(item, plan.items.end()) << row.uid;
        const CPtEvent& ev = item->event;
        CEventType type;
        Types().FindById(ev.GetType(), type);
        EXPECT_EQ(ev.GetName(), std::string(row.name)) << row.uid;
        EXPECT_EQ(ev.GetRemindBefore(), row.remindBefore) << row.uid;
        EXPECT_EQ(ev.GetDuration(), row.duration) << row.uid;
        EXPECT_EQ(type.GetName(), row.type) << row.uid;
    }
    // A description folded inside a character and holding escaped commas and line breaks.
    const IcsImportPlan google = ReadCalendar(ReadFixture("google.ics"), Types(), kIcsNow);
    std::string umlauts;
    for (int i = 0; i < 14; ++i) umlauts += "\xC3\xA4\xC3\xB6\xC3\xBC";
    EXPECT_EQ(google.items[0].event.GetNote(), "Bitte Laufschuhe mitbringen \xE2\x80\x93 " + umlauts + " Ende");
}

namespace {

// A rule of the given kind with random fields, starting within 2027, perhaps with an end day.
CPtEvent RandomEvent(std::mt19937& random, int kind) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // No start in the hour the spring change skips: that wall-clock time does not exist.
    int hour = pick(0, 22);
    if (hour == 2) hour = 14;
    const DateTime start = DateTime::FromParts(2027, 1, 1, hour, 5 * pick(0, 11)) + TimeSpan(pick(0, 364));
    CPtEvent ev(kIcsNow);
    ev.SetName("Random " + std::to_string(kind));
    ev.SetStart(start);
    ev.SetDuration(pick(0, 3) == 0 && hour == 0 ? 86400 : 900 * pick(0, 8));
    ev.SetRemindBefore(300 * pick(0, 600));
    CReCurrence& rule = ev.GetRecurrence();
    rule.SetPatternType(kind);
    rule.SetStart(start);
    rule.SetEnd(start + TimeSpan(pick(0, 500)));
    rule.SetEndEnabled(pick(0, 2) == 0);
    CRePattern* p = rule.GetPattern();
    if (auto* d = dynamic_cast<CDailyRePattern*>(p)) d->SetInterval(pick(1, 40));
    if (auto* w = dynamic_cast<CWeeklyRePattern*>(p)) {
        w->SetInterval(pick(1, 5));
        w->SetWeekdayMask(pick(1, 127));
    }
    if (auto* m = dynamic_cast<CMonthlyRePattern*>(p)) {
        m->SetInterval(pick(1, 6));
        m->SetDayMode(pick(0, 1));
        m->SetDay(pick(0, 1) ? pick(28, 31) : pick(1, 31));
        m->SetOrdinal(pick(1, 5));
        m->SetWeekday(pick(1, 7));
    }
    if (auto* y = dynamic_cast<CYearlyRePattern*>(p)) {
        y->SetMonth(pick(1, 12));
        y->SetDayMode(pick(0, 1));
        y->SetDay(pick(1, DaysInMonth(2027, y->GetMonth())));
        y->SetOrdinal(pick(1, 5));
        y->SetWeekday(pick(1, 7));
    }
    return ev;
}

}  // namespace

TEST(IcsExport, RandomRulesOfEveryKindExpandToWhatTheCalendarLists) {
    std::mt19937 random(20270101);
    CEventStore store;
    for (int i = 0; i < 400; ++i) {
        CPtEvent ev = RandomEvent(random, i % 4);
        // A series whose end comes before its first day is written as a one-off (tested apart).
        if (FirstOccurrenceDay(ev.GetRecurrence()).IsValid()) store.Add(ev);
    }
    CUidMap uids;
    const IcsExportResult exported = ExportCalendar(store, Types(), uids, kIcsNow);
    EXPECT_TRUE(exported.warnings.empty());
    const Occurrences listed = Listed(store, uids);
    EXPECT_GT(listed.size(), 10000u);
    EXPECT_EQ(Expanded(exported.text), listed);

    // Read back, the file lists the same occurrences under the same UIDs.
    IcsImportPlan plan = ReadCalendar(exported.text, Types(), kIcsNow);
    ASSERT_TRUE(plan.ok) << plan.message;
    for (const IcsImportItem& item : plan.items) EXPECT_TRUE(item.problems.empty()) << DescribeItem(item);
    CEventStore again;
    CUidMap againUids;
    MarkPresent(plan, again, againUids);
    EXPECT_EQ(ApplyImport(plan, again, againUids).added, store.GetCount());
    EXPECT_EQ(Listed(again, againUids), listed);
}

namespace {

std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
        pclose(pipe);
    }
    return out;
}

// "MM/DD/YY:" headings, then " - HH:MM -> HH:MM" and the name after a tab for an appointment,
// " * name" for an all-day event, as calcurse -Q prints them.
Occurrences CalcurseListing(const std::string& listing) {
    Occurrences out;
    std::istringstream in(listing);
    std::string line, day, time;
    while (std::getline(in, line)) {
        int m, d, y, h, mi;
        if (std::sscanf(line.c_str(), "%d/%d/%d:", &m, &d, &y) == 3) {
            day = DateTime::FromParts(2000 + y, m, d).ToIsoText().substr(0, 10);
        } else if (std::sscanf(line.c_str(), " - %d:%d", &h, &mi) == 2) {
            time = DateTime::FromParts(2000, 1, 1, h, mi).ToIsoText().substr(11, 5);
        } else if (line.rfind(" * ", 0) == 0) {
            out.insert(day + " 00:00 " + line.substr(3));
        } else if (!line.empty() && line[0] == '\t') {
            out.insert(day + " " + time + " " + line.substr(1));
        }
    }
    return out;
}

}  // namespace

TEST(IcsPeer, CalcurseListsWhatPeersFilesBecomeWhenExportedAgain) {
    if (std::system("command -v calcurse >/dev/null 2>&1") != 0) GTEST_SKIP() << "calcurse is not installed (scripts/deps.sh)";
    // Peers' events through the calendar and out again. calcurse 4.7 ignores WKST and BYSETPOS,
    // which these events do not need: their fortnights start on Mondays, no day is 29-31.
    CEventStore store;
    CUidMap uids;
    for (const char* file : {"thunderbird.ics", "apple.ics"}) {
        IcsImportPlan plan = ReadCalendar(ReadFixture(file), Types(), kIcsNow);
        MarkPresent(plan, store, uids);
        ApplyImport(plan, store, uids);
    }
    TempDir dir;
    dir.Write("export.ics", ExportCalendar(store, Types(), uids, kIcsNow).text);
    std::filesystem::create_directories(dir.File("conf"));
    std::filesystem::create_directories(dir.File("data"));
    const std::string calcurse = "calcurse -C " + dir.File("conf") + " -D " + dir.File("data") + " ";
    Shell(calcurse + "-i " + dir.File("export.ics") + " 2>&1");

    Occurrences ours;
    std::vector<std::vector<CEventStore::DayEvent>> days;
    store.GetEventsOfDays(kIcsFirst, kIcsDays, days);
    for (const auto& day : days)
        for (const auto& d : day) ours.insert(d.occurrence.ToIsoText().substr(0, 16) + " " + std::string(d.event->GetName()));
    EXPECT_GT(ours.size(), 100u);
    EXPECT_EQ(CalcurseListing(Shell(calcurse + "-Q --from 01/01/2027 --to 12/31/2028 2>&1")), ours);
}
