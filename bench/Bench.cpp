// tallyvane-bench: the core's speed, side by side with the machine's limit and with a peer.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <libical/ical.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BenchData.h"
#include "PeerRuns.h"
#include "IcsExport.h"
#include "IcsImport.h"
#include "engine/ReminderScheduler.h"
#include "platform/FileIo.h"
#include "views/EventListModel.h"
#include "views/FindMatch.h"

using namespace tv;
using namespace tvbench;

namespace {

const std::filesystem::path& Scratch() {
    static const std::filesystem::path dir = [] {
        char tmpl[] = "/tmp/tallyvane-bench-XXXXXX";
        return std::filesystem::path(mkdtemp(tmpl));
    }();
    return dir;
}

// One store per size, built once and kept for every benchmark of that size.
CEventStore& StoreOf(int count) {
    static std::map<int, std::unique_ptr<CEventStore>> stores;
    auto& slot = stores[count];
    if (!slot) {
        slot = std::make_unique<CEventStore>((Scratch() / ("Evnt-" + std::to_string(count) + ".est")).string());
        FillStore(*slot, count);
        slot->Save();
    }
    return *slot;
}

CEventStore& AllRecurringStoreOf(int count) {
    static std::map<int, std::unique_ptr<CEventStore>> stores;
    auto& slot = stores[count];
    if (!slot) {
        slot = std::make_unique<CEventStore>();
        FillStore(*slot, count, 1.0, 7);
    }
    return *slot;
}

class CountingSink : public IReminderSink {
public:
    bool PostEventPop(uint32_t) override { return ++posted, true; }
    size_t posted = 0;
};

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

// ---- the event file ------------------------------------------------------------------

void BM_RawRead(benchmark::State& state) {
    const std::string path = StoreOf(int(state.range(0))).GetFilePath();
    std::string bytes, why;
    for (auto _ : state) {
        ReadWholeFile(path, bytes, why);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_RawRead)->Apply(Sizes);

void BM_Load(benchmark::State& state) {
    const std::string path = StoreOf(int(state.range(0))).GetFilePath();
    for (auto _ : state) {
        auto store = std::make_unique<CEventStore>(path);
        benchmark::DoNotOptimize(store->Load().itemsRead);
        // Freeing the events is not part of loading them.
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load)->Apply(Sizes);

// The same bytes written as durably as a save writes them: to a file, flushed to the disk.
void BM_RawWriteSync(benchmark::State& state) {
    const std::string bytes = StoreOf(int(state.range(0))).SaveToBytes();
    const std::string path = (Scratch() / "raw.bin").string();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        size_t done = 0;
        while (done < bytes.size()) done += size_t(::write(fd, bytes.data() + done, bytes.size() - done));
        ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_RawWriteSync)->Apply(Sizes);

void BM_Save(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(store.Save().ok);
}
BENCHMARK(BM_Save)->Apply(Sizes);

void BM_Serialize(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(store.SaveToBytes().size());
}
BENCHMARK(BM_Serialize)->Apply(Sizes);

// ---- the scheduler and the calendar ---------------------------------------------------

void BM_CheckPass(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    CountingSink sink;
    for (auto _ : state) benchmark::DoNotOptimize(CReminderScheduler::CheckPass(store, BenchNow(), sink));
}
BENCHMARK(BM_CheckPass)->Apply(Sizes);

void MonthlyView(benchmark::State& state, CEventStore& store) {
    const DateTime first = BenchNow().DateOnly();
    std::vector<const CPtEvent*> events;
    for (auto _ : state) {
        for (int d = 0; d < 35; ++d) {
            events.clear();
            CEventStore::AllLock lock(store);
            store.GetEventsOfDay(first + TimeSpan(double(d)), events);
            benchmark::DoNotOptimize(events.data());
        }
    }
}

// How a calendar page asks: 35 days in one call.
void MonthlyViewRange(benchmark::State& state, CEventStore& store) {
    const DateTime first = BenchNow().DateOnly();
    std::vector<std::vector<CEventStore::DayEvent>> days;
    for (auto _ : state) {
        store.GetEventsOfDays(first, 35, days);
        benchmark::DoNotOptimize(days.data());
    }
}

void BM_MonthlyViewDays(benchmark::State& state) { MonthlyViewRange(state, StoreOf(int(state.range(0)))); }
BENCHMARK(BM_MonthlyViewDays)->Apply(Sizes);

void BM_MonthlyViewDaysAllRecurring(benchmark::State& state) {
    MonthlyViewRange(state, AllRecurringStoreOf(int(state.range(0))));
}
BENCHMARK(BM_MonthlyViewDaysAllRecurring)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same 35 days asked one day at a time, for comparison.
void BM_MonthlyViewDayByDayAllRecurring(benchmark::State& state) {
    MonthlyView(state, AllRecurringStoreOf(int(state.range(0))));
}
BENCHMARK(BM_MonthlyViewDayByDayAllRecurring)->Arg(10000)->Unit(benchmark::kMicrosecond);

// ---- the event lists -----------------------------------------------------------------

const CEventTypeTable& BenchTypes() {
    static CEventTypeTable types;
    static bool seeded = [] {
        types.SeedDefaults(BenchNow());
        return true;
    }();
    (void)seeded;
    return types;
}

void BM_ListFill(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    CEventListModel model;
    for (auto _ : state) {
        model.FillAll(store);
        benchmark::DoNotOptimize(model.GetCount());
    }
}
BENCHMARK(BM_ListFill)->Apply(Sizes);

// Sorting by each column (0 Name, 1 Time, 2 Type, 3 Recurrence, 4 Duration) from store order.
void BM_ListSort(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    const int column = int(state.range(1));
    CEventListModel model;
    for (auto _ : state) {
        state.PauseTiming();
        model.FillAll(store);
        state.ResumeTiming();
        model.Sort(column, store, BenchTypes(), BenchNow());
    }
    state.SetLabel(GetListColumn(column).title);
}
BENCHMARK(BM_ListSort)->ArgsProduct({{1000, 10000, 100000}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMicrosecond);

void BM_Find(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    FindCriteria criteria;
    criteria.text = "meeting";
    for (auto _ : state) benchmark::DoNotOptimize(FindEvents(store, criteria).size());
}
BENCHMARK(BM_Find)->Apply(Sizes);

// ---- iCalendar files ----------------------------------------------------------------------

// Every event of the store to an iCalendar file's text, UIDs made and recorded.
void BM_IcsExport(benchmark::State& state) {
    CEventStore& store = StoreOf(int(state.range(0)));
    for (auto _ : state) {
        ics::CUidMap uids;
        benchmark::DoNotOptimize(ics::ExportCalendar(store, BenchTypes(), uids, BenchNow()).text.size());
    }
}
BENCHMARK(BM_IcsExport)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same file read back and added to an empty store.
void BM_IcsImport(benchmark::State& state) {
    ics::CUidMap exportedUids;
    const std::string text = ics::ExportCalendar(StoreOf(int(state.range(0))), BenchTypes(), exportedUids, BenchNow()).text;
    for (auto _ : state) {
        CEventStore store;
        ics::CUidMap uids;
        ics::IcsImportPlan plan = ics::ReadCalendar(text, BenchTypes(), BenchNow());
        ics::MarkPresent(plan, store, uids);
        benchmark::DoNotOptimize(ics::ApplyImport(plan, store, uids).added);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_IcsImport)->Arg(10000)->Unit(benchmark::kMillisecond);

// ---- next occurrence, against the peer --------------------------------------------------

std::vector<DateTime> FromMoments() {
    std::vector<DateTime> from;
    for (int i = 0; i < 64; ++i) from.push_back(DateTime::FromParts(2024, 1, 1, 7, 0, 0) + TimeSpan(i * 17.3));
    return from;
}

void BM_NextOccurrence(benchmark::State& state) {
    const CPtEvent ev = MakeRule(RuleKind(state.range(0)));
    const std::vector<DateTime> from = FromMoments();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ev.GetRecurrence().GetNextOccurrence(from[i++ & 63]));
    state.SetLabel(RuleName(RuleKind(state.range(0))));
}

void BM_PeerNextOccurrence(benchmark::State& state) {
    const RuleKind kind = RuleKind(state.range(0));
    const struct icalrecurrencetype rule = icalrecurrencetype_from_string(RuleRRule(kind));
    const struct icaltimetype dtstart = icaltime_from_string("20200106T093000");
    icalrecur_iterator* it = icalrecur_iterator_new(rule, dtstart);
    std::vector<struct icaltimetype> from;
    for (const DateTime& f : FromMoments()) {
        DateParts p;
        f.GetParts(p);
        struct icaltimetype t = icaltime_null_time();
        t.year = p.year, t.month = p.month, t.day = p.day, t.hour = 0, t.minute = 0, t.second = 0;
        from.push_back(t);
    }
    size_t i = 0;
    for (auto _ : state) {
        icalrecur_iterator_set_start(it, from[i++ & 63]);
        benchmark::DoNotOptimize(icalrecur_iterator_next(it));
    }
    icalrecur_iterator_free(it);
    state.SetLabel(RuleName(kind));
}

void Kinds(benchmark::internal::Benchmark* b) {
    for (int k = 0; k < 5; ++k) b->Arg(k);
    b->Unit(benchmark::kNanosecond);
}
BENCHMARK(BM_NextOccurrence)->Apply(Kinds);
BENCHMARK(BM_PeerNextOccurrence)->Apply(Kinds);

// Prints the figures against their references once every benchmark has run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the medians stand for the figures; without, the single runs do.
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && !m_ns.count(r.benchmark_name() + "#median"))
                m_ns[r.run_name.str()] = r.GetAdjustedRealTime() * Scale(r.time_unit);
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                m_ns[r.run_name.str()] = r.GetAdjustedRealTime() * Scale(r.time_unit);
                m_ns[r.run_name.str() + "#median"] = 1;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-44s %12s %12s %8s\n", "figure", "ours", "reference", "ratio");
        for (const char* size : {"1000", "10000", "100000"}) {
            Ratio(std::string("load ") + size + " events / raw read", "BM_Load/" + std::string(size),
                  "BM_RawRead/" + std::string(size));
            Ratio(std::string("save ") + size + " events / durable raw write", "BM_Save/" + std::string(size),
                  "BM_RawWriteSync/" + std::string(size));
        }
        for (int k = 0; k < 5; ++k)
            Ratio(std::string("next occurrence ") + RuleName(RuleKind(k)) + " / peer",
                  "BM_NextOccurrence/" + std::to_string(k), "BM_PeerNextOccurrence/" + std::to_string(k));
        for (const char* name : {"BM_CheckPass/100000", "BM_MonthlyViewDaysAllRecurring/10000",
                                 "BM_MonthlyViewDayByDayAllRecurring/10000"})
            if (m_ns.count(name)) std::printf("%-44s %10.3f ms\n", name, m_ns[name] / 1e6);
    }

private:
    static double Scale(benchmark::TimeUnit u) {
        switch (u) {
            case benchmark::kSecond: return 1e9;
            case benchmark::kMillisecond: return 1e6;
            case benchmark::kMicrosecond: return 1e3;
            default: return 1.0;
        }
    }
    void Ratio(const std::string& label, const std::string& ours, const std::string& reference) {
        if (!m_ns.count(ours) || !m_ns.count(reference)) return;
        std::printf("%-44s %10.1fus %10.1fus %8.2f\n", label.c_str(), m_ns[ours] / 1e3, m_ns[reference] / 1e3,
                    m_ns[ours] / m_ns[reference]);
    }
    std::map<std::string, double> m_ns;
};

}  // namespace

int main(int argc, char** argv) {
    // Writes a data folder of realistic events for measuring the running program.
    if (argc == 4 && std::string(argv[1]) == "--make-data-folder") {
        CEventStore store(std::string(argv[2]) + "/Evnt.est");
        FillStore(store, std::atoi(argv[3]));
        // A calendar in daily use has its past reminders answered; only the future ones wait.
        for (uint32_t id : store.GetAllIds()) {
            CPtEvent ev;
            store.GetById(id, ev);
            const DateTime now = LocalNow();
            while (ev.IsDue(now)) ev.Accept(now);
            store.Modify(id, ev);
        }
        const FileResult r = store.Save();
        if (!r.ok) std::fprintf(stderr, "%s\n", r.message.c_str());
        return r.ok ? 0 : 1;
    }
    // Whole processes side by side with remind and calcurse, at the given sizes.
    if (argc >= 2 && std::string(argv[1]) == "--peers") {
        std::vector<int> counts;
        for (int i = 2; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
        if (counts.empty()) counts = {1000, 10000, 100000};
        const std::string cli = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tallyvane-cli").string();
        const int status = RunPeers(cli, Scratch().string(), counts);
        std::error_code ec;
        if (std::getenv("TALLYVANE_BENCH_KEEP")) std::printf("The files are kept in %s.\n", Scratch().c_str());
        else std::filesystem::remove_all(Scratch(), ec);
        return status;
    }
    // A store's first load in a fresh process, against reading its bytes in one.
    if (argc >= 2 && std::string(argv[1]) == "--first-load") {
        std::vector<int> counts;
        for (int i = 2; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
        if (counts.empty()) counts = {1000, 10000, 100000};
        const int status = RunFirstLoads(std::filesystem::read_symlink("/proc/self/exe").string(), Scratch().string(), counts);
        std::error_code ec;
        std::filesystem::remove_all(Scratch(), ec);
        return status;
    }
    if (argc == 3 && std::string(argv[1]) == "--time-load") return TimeOneLoad(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "--time-read") return TimeOneRead(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(Scratch(), ec);
    return 0;
}
