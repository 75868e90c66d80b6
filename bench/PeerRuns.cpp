// The peer files and the timed whole-process runs of tallyvane-bench --peers.
#include "PeerRuns.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

extern char** environ;

#include "BenchData.h"
#include "IcsExport.h"
#include "platform/FileIo.h"
#include "store/EventTypeTable.h"

namespace tvbench {

using namespace tv;

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The day every program is asked for: the day after the benchmarks' now.
DateTime QueryDay() { return BenchNow().DateOnly() + TimeSpan(1.0); }

std::string RemindDate(const DateTime& d) {
    DateParts p;
    d.GetParts(p);
    return std::to_string(p.day) + " " + kMonths[p.month - 1] + " " + std::to_string(p.year);
}

// "Fri 8" is the second Friday on or after the 8th; the last one is the first of the next month's
// first seven days, seven days back ("Fri 1 Oct --7" for September).
std::string RemindWeekdayRule(int weekday, int ordinal, int month) {
    const std::string day = kWeekdays[weekday - 1];
    const std::string next = month ? std::string(" ") + kMonths[month % 12] : "";
    const std::string same = month ? std::string(" ") + kMonths[month - 1] : "";
    if (ordinal == 5) return day + " 1" + next + " --7";
    return day + same + " " + std::to_string(1 + 7 * (ordinal - 1));
}

// The REM lines of one event: every pattern has its remind form with the same days, but for a
// monthly day past a short month's end, which remind skips where we take the month's last day.
void AppendRem(const CPtEvent& ev, std::string& out) {
    const DateTime start = ev.IsRecurrent() ? ev.GetRecurrence().GetStart() : ev.GetStart();
    DateParts s;
    start.GetParts(s);
    char at[32];
    std::snprintf(at, sizeof at, " AT %02d:%02d", s.hour, s.minute);
    const CReCurrence& rule = ev.GetRecurrence();
    // remind wants SATISFY after AT and before MSG.
    const std::string until = rule.HasPattern() && rule.IsEndEnabled() ? " UNTIL " + RemindDate(rule.GetEnd()) : "";
    const std::string msg = " MSG ev " + std::string(ev.GetName()) + "\n";
    const std::string tail = until + at + msg;
    const std::string from = " FROM " + RemindDate(start);
    const CRePattern* pattern = rule.GetPattern();
    if (!pattern) {
        out += "REM " + RemindDate(start) + tail;
    } else if (const auto* daily = dynamic_cast<const CDailyRePattern*>(pattern)) {
        out += "REM " + RemindDate(start) + " *" + std::to_string(daily->GetInterval()) + tail;
    } else if (const auto* weekly = dynamic_cast<const CWeeklyRePattern*>(pattern)) {
        // Each weekday recurs every window from its first day in the first window's last week.
        const int window = 7 * weekly->GetInterval();
        const DateTime lastWeek = start.DateOnly() + TimeSpan(double(window - 7));
        DateParts w;
        lastWeek.GetParts(w);
        for (int day = 0; day < 7; ++day) {
            if (!((weekly->GetWeekdayMask() >> day) & 1)) continue;
            const DateTime first = lastWeek + TimeSpan(double((day - (w.dayOfWeek - 1) + 7) % 7));
            out += "REM " + RemindDate(first) + " *" + std::to_string(window) + tail;
        }
    } else if (const auto* monthly = dynamic_cast<const CMonthlyRePattern*>(pattern)) {
        const std::string days = monthly->IsDayMode() ? std::to_string(monthly->GetDay())
                                                      : RemindWeekdayRule(monthly->GetWeekday(), monthly->GetOrdinal(), 0);
        std::string every;
        if (monthly->GetInterval() > 1)
            every = " SATISFY [(12*year(trigdate())+monnum(trigdate())-" + std::to_string(12 * s.year + s.month) +
                    ")%" + std::to_string(monthly->GetInterval()) + "==0]";
        out += "REM " + days + from + until + at + every + msg;
    } else if (const auto* yearly = dynamic_cast<const CYearlyRePattern*>(pattern)) {
        const std::string days = yearly->IsDayMode()
                                     ? std::string(kMonths[yearly->GetMonth() - 1]) + " " + std::to_string(yearly->GetDay())
                                     : RemindWeekdayRule(yearly->GetWeekday(), yearly->GetOrdinal(), yearly->GetMonth());
        out += "REM " + days + from + tail;
    }
}

struct Run {
    double ms = 0;
    long peakKb = 0;
    std::string out;
};

// Runs argv under GNU time with stdout into a pipe read to its end (as a shell would), stdin and
// stderr on /dev/null; the wall time of the whole process and its peak resident memory. time
// stands between: a child's peak counts what its parent held when it forked, and ours holds the
// generated stores.
Run RunOnce(const std::vector<std::string>& command, const std::string& scratch) {
    const std::string peakFile = scratch + "/peak";
    std::vector<std::string> argv = {"/usr/bin/time", "-f", "%M", "-o", peakFile};
    argv.insert(argv.end(), command.begin(), command.end());
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int pipeFds[2];
    Run run;
    run.ms = -1;
    if (::pipe(pipeFds) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const auto began = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned == 0) {
        char buf[65536];
        for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;) run.out.append(buf, size_t(n));
    }
    ::close(pipeFds[0]);
    if (spawned != 0) return run;
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    std::ifstream(peakFile) >> run.peakKb;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) run.ms = ms;
    return run;
}

// The median of five runs after one that warms the caches; the highest peak memory.
Run Measure(const std::vector<std::string>& argv, const std::string& scratch) {
    Run warm = RunOnce(argv, scratch);
    if (warm.ms < 0) return warm;
    std::vector<double> times;
    long peak = warm.peakKb;
    for (int i = 0; i < 5; ++i) {
        const Run r = RunOnce(argv, scratch);
        times.push_back(r.ms);
        peak = std::max(peak, r.peakKb);
    }
    std::sort(times.begin(), times.end());
    warm.ms = times[2];
    warm.peakKb = peak;
    return warm;
}

size_t CountLinesStarting(const std::string& text, const std::string& prefix) {
    size_t n = 0;
    for (size_t at = 0; at < text.size();) {
        if (text.compare(at, prefix.size(), prefix) == 0) ++n;
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return n;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

double Mb(size_t bytes) { return double(bytes) / (1024.0 * 1024.0); }

long MinorFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

int PrintTimed(const std::chrono::steady_clock::time_point& began, long faultsBefore, bool ok) {
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    std::printf("%.3f %ld\n", ms, MinorFaults() - faultsBefore);
    return ok ? 0 : 1;
}

// Milliseconds and page faults a child printed, each run's; the median run of seven.
struct Timed {
    double ms = -1;
    long faults = 0;
    long peakKb = 0;
};
Timed MedianOfSeven(const std::vector<std::string>& argv, const std::string& scratch) {
    std::vector<Timed> runs;
    for (int i = 0; i < 7; ++i) {
        const Run r = RunOnce(argv, scratch);
        Timed t;
        if (r.ms < 0 || std::sscanf(r.out.c_str(), "%lf %ld", &t.ms, &t.faults) != 2) return {};
        t.peakKb = r.peakKb;
        runs.push_back(t);
    }
    std::sort(runs.begin(), runs.end(), [](const Timed& a, const Timed& b) { return a.ms < b.ms; });
    return runs[3];
}

}  // namespace

std::string RemindFileOf(const CEventStore& store) {
    std::string out;
    store.ForEachEvent([&](const CPtEvent& ev) { AppendRem(ev, out); });
    return out;
}

int RunPeers(const std::string& cliPath, const std::string& scratch, const std::vector<int>& counts) {
    namespace fs = std::filesystem;
    const DateTime day = QueryDay();
    DateParts d;
    day.GetParts(d);
    char calcurseDay[16];
    std::snprintf(calcurseDay, sizeof calcurseDay, "%02d/%02d/%04d", d.month, d.day, d.year);
    const std::string isoDay = day.ToIsoText().substr(0, 10);
    std::printf("One day (%s) asked of each program as a whole process: median of 5 runs, peak memory.\n",
                isoDay.c_str());
    std::printf("%8s | %9s %9s %9s | %-22s | %-22s | %-22s | listed\n", "events", "est MB", "rem MB", "ics MB",
                "tallyvane-cli day", "remind", "calcurse -d");
    for (int count : counts) {
        const fs::path dir = fs::path(scratch) / ("peers-" + std::to_string(count));
        fs::remove_all(dir);
        fs::create_directories(dir / "tallyvane");
        fs::create_directories(dir / "calcurse-conf");
        fs::create_directories(dir / "calcurse-data");
        const std::string est = (dir / "tallyvane" / "Evnt.est").string();
        {
            CEventStore store(est);
            FillStore(store, count);
            if (!store.Save().ok) return 1;
            WriteFile(dir / "events.rem", RemindFileOf(store));
            CEventTypeTable types;
            types.SeedDefaults(BenchNow());
            ics::CUidMap uids;
            WriteFile(dir / "events.ics", ics::ExportCalendar(store, types, uids, BenchNow()).text);
        }
        const std::vector<std::string> calcurse = {"calcurse", "-C", (dir / "calcurse-conf").string(), "-D",
                                                   (dir / "calcurse-data").string()};
        std::vector<std::string> import = calcurse;
        import.insert(import.end(), {"-q", "-i", (dir / "events.ics").string()});
        RunOnce(import, scratch);

        const Run ours = Measure({cliPath, "--data-dir=" + (dir / "tallyvane").string(), "day", isoDay}, scratch);
        const Run remind = Measure({"remind", "-q", (dir / "events.rem").string(), isoDay}, scratch);
        std::vector<std::string> ask = calcurse;
        ask.insert(ask.end(), {"-d", calcurseDay});
        const Run peer = Measure(ask, scratch);
        const size_t oursListed = ours.out.size() > 3 ? std::count(ours.out.begin(), ours.out.end(), ',') + 1 : 0;
        const size_t calcurseListed = CountLinesStarting(peer.out, " - ") + CountLinesStarting(peer.out, " * ");
        auto cell = [](const Run& r) {
            char text[64];
            if (r.ms < 0) std::snprintf(text, sizeof text, "failed");
            else std::snprintf(text, sizeof text, "%7.1f ms %7.1f MB", r.ms, double(r.peakKb) / 1024.0);
            return std::string(text);
        };
        std::printf("%8d | %9.1f %9.1f %9.1f | %-22s | %-22s | %-22s | %zu / %zu / %zu\n", count,
                    Mb(fs::file_size(est)), Mb(fs::file_size(dir / "events.rem")), Mb(fs::file_size(dir / "events.ics")),
                    cell(ours).c_str(), cell(remind).c_str(), cell(peer).c_str(), oursListed,
                    CountLinesStarting(remind.out, "ev "), calcurseListed);
        std::fflush(stdout);
        if (!std::getenv("TALLYVANE_BENCH_KEEP")) fs::remove_all(dir);
    }
    return 0;
}

int TimeOneLoad(const std::string& path) {
    const long faults = MinorFaults();
    const auto began = std::chrono::steady_clock::now();
    CEventStore store(path);
    const LoadReport report = store.Load();
    return PrintTimed(began, faults, report.status == LoadStatus::Ok);
}

int TimeOneRead(const std::string& path) {
    const long faults = MinorFaults();
    const auto began = std::chrono::steady_clock::now();
    FileReader file;
    std::string why;
    if (file.Open(path, why) != ReadStatus::Ok) return 1;
    const size_t size = file.Remaining();
    const auto bytes = std::make_unique_for_overwrite<char[]>(size);
    size_t got = 0;
    const bool ok = file.Read(bytes.get(), size, got, why) && got == size;
    return PrintTimed(began, faults, ok);
}

int RunFirstLoads(const std::string& selfPath, const std::string& scratch, const std::vector<int>& counts) {
    namespace fs = std::filesystem;
    std::printf("Evnt.est loaded by a fresh process against its bytes read by one: median of 7 runs.\n");
    std::printf("%8s | %8s | %-30s | %-30s | %s\n", "events", "file MB", "load: ms, faults, peak MB",
                "read: ms, faults, peak MB", "ratio");
    for (int count : counts) {
        const std::string est = (fs::path(scratch) / ("first-" + std::to_string(count) + ".est")).string();
        {
            CEventStore store(est);
            FillStore(store, count);
            if (!store.Save().ok) return 1;
        }
        const Timed load = MedianOfSeven({selfPath, "--time-load", est}, scratch);
        const Timed read = MedianOfSeven({selfPath, "--time-read", est}, scratch);
        if (load.ms < 0 || read.ms < 0) {
            std::printf("%8d | failed\n", count);
            return 1;
        }
        auto cell = [](const Timed& t) {
            char text[64];
            std::snprintf(text, sizeof text, "%8.2f ms %7ld %7.1f MB", t.ms, t.faults, double(t.peakKb) / 1024.0);
            return std::string(text);
        };
        std::printf("%8d | %8.1f | %-30s | %-30s | %5.2f\n", count, Mb(fs::file_size(est)), cell(load).c_str(),
                    cell(read).c_str(), load.ms / read.ms);
        std::fflush(stdout);
        fs::remove(est);
    }
    return 0;
}

}  // namespace tvbench
