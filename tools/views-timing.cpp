// Times the calendar views, the event lists and Find over a store of 10,000 events.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "store/EventTypeTable.h"
#include "store/EventStore.h"
#include "views/DailyLayout.h"
#include "views/DayEvents.h"
#include "views/EventListModel.h"
#include "views/FindMatch.h"
#include "views/MonthlyLayout.h"
#include "views/WeekdayLayout.h"
#include "views/WeeklyLayout.h"

using namespace tv;

namespace {

constexpr int kEvents = 10000;
constexpr int kRuns = 7;

// A fixed mix, the same on every run: two thirds one-off events spread over two years, one third
// recurring with every kind of rule, some anchored by acceptance and some ending.
void FillStore(CEventStore& store, const CEventTypeTable& types, const DateTime& around) {
    std::mt19937 rng(20080116);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* words[] = {"Dentist", "Team meeting", "Call mum", "Pay rent", "Flight", "Birthday",
                           "Gym", "Review", "Lunch", "Car service", "Tax", "Concert"};
    const int typeCount = static_cast<int>(types.GetCount());
    for (int i = 0; i < kEvents; ++i) {
        CPtEvent ev(around);
        ev.SetName(std::string(words[pick(0, 11)]) + " " + std::to_string(i));
        if (pick(0, 3) == 0) ev.SetNote("note for " + std::to_string(i));
        if (typeCount > 0) ev.SetType(types.GetAt(pick(0, typeCount - 1)).GetId());
        ev.SetDuration(pick(0, 12) * 900);
        ev.SetRemindBefore(pick(0, 4) * 600);
        const DateTime start = around + TimeSpan(pick(-365, 365)) + TimeSpan::FromParts(0, pick(0, 23), pick(0, 3) * 15, 0);
        ev.SetStart(start);
        if (i % 3 == 0) {
            CReCurrence& rule = ev.GetRecurrence();
            rule.SetStart(around + TimeSpan(pick(-700, 30)) + TimeSpan::FromParts(0, pick(0, 23), pick(0, 1) * 30, 0));
            rule.SetEnd(rule.GetStart() + TimeSpan(pick(30, 900)));
            rule.SetEndEnabled(pick(0, 3) == 0);
            const int kind = pick(0, 3);
            rule.SetPatternType(kind);
            if (auto* d = dynamic_cast<CDailyRePattern*>(rule.GetPattern())) d->SetInterval(pick(1, 10));
            if (auto* w = dynamic_cast<CWeeklyRePattern*>(rule.GetPattern())) {
                w->SetInterval(pick(1, 4));
                w->SetWeekdayMask(pick(1, 127));
            }
            if (auto* m = dynamic_cast<CMonthlyRePattern*>(rule.GetPattern())) {
                m->SetInterval(pick(1, 6));
                m->SetDay(pick(1, 31));
                m->SetOrdinal(pick(1, 5));
                m->SetWeekday(pick(1, 7));
                m->SetDayMode(pick(0, 1));
            }
            if (auto* y = dynamic_cast<CYearlyRePattern*>(rule.GetPattern())) {
                y->SetMonth(pick(1, 12));
                y->SetDay(pick(1, 28));
                y->SetOrdinal(pick(1, 5));
                y->SetWeekday(pick(1, 7));
                y->SetDayMode(pick(0, 1));
            }
            if (pick(0, 2) == 0) rule.SetAnchor(around - TimeSpan(pick(0, 60)));
        }
        store.Add(ev);
    }
}

double Millis(const std::function<void()>& fn) {
    const auto t0 = std::chrono::steady_clock::now();
    fn();
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

// Median and worst of kRuns runs, with setup outside the timed part.
void Report(const char* what, const std::function<void()>& setup, const std::function<void()>& fn) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        setup();
        ms.push_back(Millis(fn));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-44s median %8.2f ms   worst %8.2f ms%s\n", what, ms[ms.size() / 2], ms.back(),
                ms.back() < 100.0 ? "" : "   ** over 100 ms **");
}

}  // namespace

int main() {
    const DateTime now = DateTime::FromParts(2008, 1, 16, 10, 30);
    CEventTypeTable types;
    types.SeedDefaults(now);
    CEventStore store;
    FillStore(store, types, now);
    std::printf("Store: %zu events (%zu recurring), %zu types\n", store.GetCount(), store.RecurringList().GetCount(),
                types.GetCount());

    const auto noSetup = [] {};
    std::printf("Calendar views, SetDate (rebuild + layout) for Wednesday 16 January 2008:\n");
    DailyLayout daily(store, types);
    WeekdayLayout weekday(store, types);
    WeeklyLayout weekly(store, types);
    MonthlyLayout monthly(store, types);
    CalendarLayout* views[] = {&daily, &weekday, &weekly, &monthly};
    const char* names[] = {"Daily (1 day)", "Week Day (5 days)", "Weekly (7 days)", "Monthly (35 days)"};
    for (int i = 0; i < 4; ++i) {
        views[i]->Resize(1000, 700);
        Report(names[i], noSetup, [&] { views[i]->SetDate(now); });
        std::printf("      %zu items\n", views[i]->ItemCount());
    }
    Report("Monthly, scroll one week (35 days)", noSetup, [&] { monthly.Scroll(ScrollAction::LineDown); });
    Report("Monthly, drawing list of the screen", noSetup, [&] {
        DisplayList list;
        monthly.Draw(list, {false, monthly.ClientRect(), 0});
    });

    std::printf("Events of 35 days, the two ways (must agree):\n");
    Report("one GetEventsOfDay per day", noSetup, [&] { CollectEventsOfDaysOneByOne(store, now, 35); });
    Report("one walk over the recurring events", noSetup, [&] { CollectEventsOfDays(store, now, 35); });
    {
        const DayEventLists a = CollectEventsOfDays(store, now, 35), b = CollectEventsOfDaysOneByOne(store, now, 35);
        bool same = a.size() == b.size();
        for (size_t d = 0; same && d < a.size(); ++d) {
            same = a[d].size() == b[d].size();
            for (size_t k = 0; same && k < a[d].size(); ++k)
                same = a[d][k].event == b[d][k].event && a[d][k].occurrence == b[d][k].occurrence;
        }
        std::printf("      the two answers %s\n", same ? "agree" : "DIFFER");
    }

    std::printf("All-events list:\n");
    CEventListModel model;
    Report("FillAll", noSetup, [&] { model.FillAll(store); });
    const char* columns[] = {"Name", "Time", "Type", "Recurrence", "Duration"};
    for (int c = 0; c < kListColumnCount; ++c) {
        const std::string what = std::string("Sort by ") + columns[c];
        Report(what.c_str(), [&] { model.FillAll(store); }, [&] { model.Sort(c, store, types, now); });
    }
    Report("row texts of 40 visible rows", noSetup, [&] {
        for (int r = 0; r < 40; ++r) DescribeListRow(store, types, *model.RowToId(r), now);
    });

    std::printf("Find:\n");
    FindCriteria c;
    c.text = "meeting";
    std::vector<uint32_t> found;
    Report("text \"meeting\", any case", noSetup, [&] { found = FindEvents(store, c); });
    std::printf("      %zu found\n", found.size());
    c.caseSensitive = true;
    c.from = now;
    Report("text, case, From bound", noSetup, [&] { found = FindEvents(store, c); });
    return 0;
}
