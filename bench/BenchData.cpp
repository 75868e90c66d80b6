// Realistic event mixes for the benchmarks.
#include "BenchData.h"

#include <random>

namespace tvbench {

using namespace tv;

DateTime BenchNow() { return DateTime::FromParts(2026, 12, 6, 10, 0, 0); }

namespace {

// Names people give their reminders: mostly short, some long.
const char* const kNames[] = {
    "Dentist", "Call mum", "Pay the rent", "Team meeting", "Gym", "Project review with Anna",
    "Take the pills", "Car insurance renewal", "Book club", "Piano lesson", "Water the plants",
    "Quarterly tax payment due", "Standup", "Bins out", "Flight to Lisbon, terminal 2",
    "Birthday of grandpa Joseph", "Vet appointment for Luna", "Yoga", "Parents' evening", "Backup photos"};

CPtEvent Base(const DateTime& start, int n) {
    CPtEvent ev(BenchNow());
    ev.SetName(kNames[n % 20]);
    if (n % 4 == 0) ev.SetNote("Remember to bring the papers and the card number " + std::to_string(n * 7));
    ev.SetStart(start);
    ev.SetDuration(900 * (1 + n % 8));
    ev.SetRemindBefore((n % 5) * 600);
    ev.SetType(1 + n % 10);
    if (n % 6 == 0) ev.SetSound("Bell.wav");
    ev.GetRecurrence().SetStart(start);
    ev.GetRecurrence().SetEnd(start);
    ev.GetRecurrence().SetDuration(ev.GetDuration());
    return ev;
}

}  // namespace

void FillStore(CEventStore& store, int count, double recurringShare, uint32_t seed) {
    std::mt19937 rng(seed);
    const DateTime origin = BenchNow() - TimeSpan(540.0);
    for (int n = 0; n < count; ++n) {
        const int minutes = int(rng() % 96) * 15;
        const DateTime start = origin.DateOnly() + TimeSpan(double(rng() % 1095)) + TimeSpan::FromSeconds(minutes * 60);
        CPtEvent ev = Base(start, n);
        const bool recurring = double(rng() % 10000) / 10000.0 < recurringShare;
        if (recurring) {
            CReCurrence& rule = ev.GetRecurrence();
            const int kind = int(rng() % 100);
            if (kind < 25) {
                rule.SetPatternType(kPatternDaily);
                static_cast<CDailyRePattern*>(rule.GetPattern())->SetInterval(1 + int(rng() % 3));
            } else if (kind < 60) {
                rule.SetPatternType(kPatternWeekly);
                auto* p = static_cast<CWeeklyRePattern*>(rule.GetPattern());
                p->SetInterval(1 + int(rng() % 2));
                p->SetWeekdayMask((1 << (rng() % 7)) | (rng() % 3 == 0 ? 1 << (rng() % 7) : 0));
            } else if (kind < 85) {
                rule.SetPatternType(kPatternMonthly);
                auto* p = static_cast<CMonthlyRePattern*>(rule.GetPattern());
                p->SetInterval(1 + int(rng() % 3));
                if (rng() % 2) {
                    p->SetDay(1 + int(rng() % 31));
                } else {
                    p->SetDayMode(false);
                    p->SetOrdinal(1 + int(rng() % 5));
                    p->SetWeekday(1 + int(rng() % 7));
                }
            } else {
                rule.SetPatternType(kPatternYearly);
                auto* p = static_cast<CYearlyRePattern*>(rule.GetPattern());
                p->SetMonth(1 + int(rng() % 12));
                if (rng() % 3) {
                    p->SetDay(1 + int(rng() % 28));
                } else {
                    p->SetDayMode(false);
                    p->SetOrdinal(1 + int(rng() % 5));
                    p->SetWeekday(1 + int(rng() % 7));
                }
            }
            if (n % 10 == 0) {
                rule.SetEndEnabled(true);
                rule.SetEnd(start + TimeSpan(double(200 + rng() % 900)));
            }
            if (n % 4 == 0) rule.SetAnchor(BenchNow() - TimeSpan(double(rng() % 60)));
        } else if (n % 7 == 0) {
            ev.Accept(BenchNow());
        }
        store.Add(ev);
    }
}

CPtEvent MakeRule(RuleKind kind) {
    const DateTime start = DateTime::FromParts(2020, 1, 6, 9, 30, 0);  // a Monday
    CPtEvent ev = Base(start, 1);
    CReCurrence& rule = ev.GetRecurrence();
    switch (kind) {
        case RuleKind::Daily3:
            rule.SetPatternType(kPatternDaily);
            static_cast<CDailyRePattern*>(rule.GetPattern())->SetInterval(3);
            break;
        case RuleKind::Weekly2MonThu: {
            rule.SetPatternType(kPatternWeekly);
            auto* p = static_cast<CWeeklyRePattern*>(rule.GetPattern());
            p->SetInterval(2);
            p->SetWeekdayMask((1 << 1) | (1 << 4));
            break;
        }
        case RuleKind::MonthlyLastFriday: {
            rule.SetPatternType(kPatternMonthly);
            auto* p = static_cast<CMonthlyRePattern*>(rule.GetPattern());
            p->SetDayMode(false);
            p->SetOrdinal(5);
            p->SetWeekday(6);
            break;
        }
        case RuleKind::YearlyMarch5: {
            rule.SetPatternType(kPatternYearly);
            auto* p = static_cast<CYearlyRePattern*>(rule.GetPattern());
            p->SetMonth(3);
            p->SetDay(5);
            break;
        }
        case RuleKind::YearlyFirstMondaySeptember: {
            rule.SetPatternType(kPatternYearly);
            auto* p = static_cast<CYearlyRePattern*>(rule.GetPattern());
            p->SetDayMode(false);
            p->SetMonth(9);
            p->SetOrdinal(1);
            p->SetWeekday(2);
            break;
        }
    }
    return ev;
}

const char* RuleName(RuleKind kind) {
    switch (kind) {
        case RuleKind::Daily3: return "daily/every-3-days";
        case RuleKind::Weekly2MonThu: return "weekly/2-weeks-mon-thu";
        case RuleKind::MonthlyLastFriday: return "monthly/last-friday";
        case RuleKind::YearlyMarch5: return "yearly/march-5";
        case RuleKind::YearlyFirstMondaySeptember: return "yearly/first-monday-sep";
    }
    return "";
}

const char* RuleRRule(RuleKind kind) {
    switch (kind) {
        case RuleKind::Daily3: return "FREQ=DAILY;INTERVAL=3";
        case RuleKind::Weekly2MonThu: return "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH";
        case RuleKind::MonthlyLastFriday: return "FREQ=MONTHLY;BYDAY=-1FR";
        case RuleKind::YearlyMarch5: return "FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=5";
        case RuleKind::YearlyFirstMondaySeptember: return "FREQ=YEARLY;BYMONTH=9;BYDAY=1MO";
    }
    return "";
}

}  // namespace tvbench
