// Command parsing and the commands of tallyvane-cli.
#include "Cli.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "IcsCommands.h"
#include "Json.h"
#include "UidMap.h"
#include "model/EventTypeTable.h"
#include "model/PtEvent.h"
#include "model/TextCodec.h"
#include "store/DataFolderLock.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"
#include "store/TransferFiles.h"

namespace tv::cli {

namespace {

constexpr char kUsage[] =
    "usage: tallyvane-cli [--data-dir DIR] [--now \"YYYY-MM-DD HH:MM:SS\"] COMMAND [ARGS]\n"
    "\n"
    "Reading:\n"
    "  events                      all events as JSON, in store order\n"
    "  types                       all event types as JSON, in table order\n"
    "  day YYYY-MM-DD              ids of the events on that day, as JSON\n"
    "Changing:\n"
    "  add --name TEXT [--note TEXT] [--start \"YYYY-MM-DD HH:MM[:SS]\"] [--duration SECONDS]\n"
    "      [--remind-before SECONDS] [--type NAME] [--sound FILE] [--disabled]\n"
    "      [--daily N | --weekly N --on DAYS | --monthly N (--day D | --nth ORD --weekday DAY)\n"
    "       | --yearly (--month M --day D | --nth ORD --weekday DAY --month M)]\n"
    "      [--until YYYY-MM-DD]                            prints the new id\n"
    "  accept ID | snooze ID SECONDS | delete ID | enable ID | disable ID\n"
    "  backup FILE | restore FILE | export FILE | import FILE [--no-events] [--no-types]\n"
    "  import-holidays FILE | import-plumtrace DIR\n"
    "  export-ics FILE | import-ics FILE [--nearest]   iCalendar files; --nearest imports events\n"
    "      that a calendar file says more of than Tallyvane can hold as their nearest event\n"
    "\n"
    "DAYS is a comma-separated list such as mon,thu; ORD is first, second, third, fourth or last;\n"
    "DAY is a weekday name; M is a month number or name.\n";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

int64_t ParseInteger(const std::string& text, const std::string& what) {
    size_t used = 0;
    long long v = 0;
    try {
        v = std::stoll(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw UsageError(what + " must be a whole number, not \"" + text + "\".");
    return v;
}

int ParseIntIn(const std::string& text, const std::string& what, int low, int high) {
    const int64_t v = ParseInteger(text, what);
    if (v < low || v > high)
        throw UsageError(what + " must lie between " + std::to_string(low) + " and " + std::to_string(high) + ".");
    return static_cast<int>(v);
}

uint32_t ParseId(const std::string& text) {
    const int64_t v = ParseInteger(text, "An event id");
    if (v <= 0 || v > 0xFFFFFFFFll) throw UsageError("\"" + text + "\" is not an event id.");
    return static_cast<uint32_t>(v);
}

int ParseWeekday(const std::string& text) {
    static const char* const kNames[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    const std::string t = Lower(text);
    for (int i = 0; i < 7; ++i)
        if (t.size() >= 3 && std::string(kNames[i]).compare(0, 3, t, 0, 3) == 0) return i + 1;
    if (!t.empty() && std::all_of(t.begin(), t.end(), ::isdigit)) return ParseIntIn(t, "A weekday number", 1, 7);
    throw UsageError("\"" + text + "\" is not a weekday.");
}

int ParseOrdinal(const std::string& text) {
    static const char* const kNames[] = {"first", "second", "third", "fourth", "last"};
    const std::string t = Lower(text);
    for (int i = 0; i < 5; ++i)
        if (t == kNames[i]) return i + 1;
    if (!t.empty() && std::all_of(t.begin(), t.end(), ::isdigit)) return ParseIntIn(t, "An ordinal", 1, 5);
    throw UsageError("\"" + text + "\" is not one of first, second, third, fourth, last.");
}

int ParseMonth(const std::string& text) {
    static const char* const kNames[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    const std::string t = Lower(text);
    for (int i = 0; i < 12; ++i)
        if (t.size() >= 3 && std::string(kNames[i]).compare(0, 3, t, 0, 3) == 0) return i + 1;
    return ParseIntIn(text, "A month", 1, 12);
}

DateTime ParseDate(const std::string& text, const std::string& what) {
    const DateTime d = DateTime::ParseIso(text);
    if (!d.IsValid()) throw UsageError(what + " \"" + text + "\" is not a date of the form YYYY-MM-DD HH:MM:SS.");
    return d;
}

const char* StateName(ReminderState s) {
    switch (s) {
        case kReminderDone: return "done";
        case kReminderSnoozed: return "snoozed";
        default: return "armed";
    }
}

// Options of one command: flags and options with one value each.
class Options {
public:
    Options(const std::vector<std::string>& tokens, const std::vector<std::string>& valueOptions,
            const std::vector<std::string>& flags) {
        for (size_t i = 0; i < tokens.size(); ++i) {
            const std::string& t = tokens[i];
            if (std::find(flags.begin(), flags.end(), t) != flags.end()) {
                m_values[t] = "";
            } else if (std::find(valueOptions.begin(), valueOptions.end(), t) != valueOptions.end()) {
                if (i + 1 >= tokens.size()) throw UsageError("The option " + t + " needs a value.");
                m_values[t] = tokens[++i];
            } else if (t.size() > 2 && t.compare(0, 2, "--") == 0) {
                throw UsageError("Unknown option " + t + ".");
            } else {
                m_positional.push_back(t);
            }
        }
    }
    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    std::optional<std::string> Get(const std::string& name) const {
        auto it = m_values.find(name);
        return it == m_values.end() ? std::nullopt : std::optional(it->second);
    }
    const std::vector<std::string>& Positional() const { return m_positional; }
    void ExpectPositional(size_t n, const std::string& what) const {
        if (m_positional.size() != n) throw UsageError("Expected " + what + ".");
    }

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_positional;
};

class Session {
public:
    Session(std::string dataDir, DateTime now, std::ostream& out, std::ostream& err)
        : m_dataDir(std::move(dataDir)), m_now(now), m_out(out), m_err(err),
          m_store(m_dataDir + "Evnt.est") {}

    // Writing commands hold the data folder for their whole run.
    bool LockForWriting() {
        std::string why;
        if (m_lock.TryLock(m_dataDir, DataFolderLock::Mode::Exclusive, why)) return true;
        m_err << why << "\n";
        return false;
    }

    void Load() {
        Warn(m_types.Load(m_dataDir + "Type.ptt", m_now));
        Warn(m_store.Load());
    }

    // Saves the type file when it changed (or holds seeded types not yet on disk), then the
    // event file. Answers false, having said why, when either could not be saved.
    bool Save(bool typesChanged) {
        if (typesChanged || m_types.HasUnsavedSeed()) {
            if (!Report(m_types.Save(m_dataDir + "Type.ptt"))) return false;
        }
        return Report(m_store.Save());
    }

    int Events();
    int Types();
    int Day(const Options& o);
    int Add(const Options& o);
    int Change(const std::string& command, const Options& o);
    int Transfer(const std::string& command, const Options& o);
    int Ics(const std::string& command, const Options& o);

private:
    void Warn(const LoadReport& r) {
        if (r.NeedsPreservation()) m_err << "warning: " << r.message << "\n";
        if (r.renumbered) m_err << "warning: " << r.renumbered << " records with repeated ids were given new ids.\n";
    }
    bool Report(const FileResult& r) {
        if (!r.note.empty()) m_err << r.note << "\n";
        if (!r.ok) m_err << r.message << "\n";
        return r.ok;
    }
    std::string TypeName(uint32_t id) const {
        CEventType t;
        return m_types.FindById(id, t) ? t.GetName() : std::string();
    }
    void ApplyRecurrence(CPtEvent& ev, const Options& o);

    std::string m_dataDir;
    DateTime m_now;
    std::ostream& m_out;
    std::ostream& m_err;
    DataFolderLock m_lock;
    CEventTypeTable m_types;
    CEventStore m_store;
};

int Session::Events() {
    std::vector<std::string> rows;
    m_store.ForEachEvent([&](const CPtEvent& ev) {
        JsonObject o;
        o.Add("id", ev.GetId())
            .Add("name", Cp1252ToUtf8(ev.GetName()))
            .Add("note", Cp1252ToUtf8(ev.GetNote()))
            .Add("sound", Cp1252ToUtf8(ev.GetSound()))
            .Add("typeId", ev.GetType())
            .Add("state", StateName(ev.GetReminderState()))
            .Add("enabled", ev.IsEnabled())
            .Add("start", ev.GetStart().ToIsoText())
            .Add("duration", ev.GetDuration())
            .Add("remindBefore", ev.GetRemindBefore())
            .Add("recurrence", Cp1252ToUtf8(ev.GetRecurrence().GetDescription()))
            .Add("occurrence", ev.GetOccurrence(m_now).ToIsoText())
            .Add("reminder", ev.GetReminderTime(m_now).ToIsoText())
            .Add("due", ev.IsDue(m_now));
        rows.push_back(o.Text());
    });
    m_out << "[";
    for (size_t i = 0; i < rows.size(); ++i) m_out << (i ? ",\n  " : "\n  ") << rows[i];
    m_out << (rows.empty() ? "]\n" : "\n]\n");
    return 0;
}

int Session::Types() {
    std::vector<std::string> rows;
    for (const CEventType& t : m_types.Snapshot()) {
        JsonObject o;
        o.Add("id", t.GetId())
            .Add("name", Cp1252ToUtf8(t.GetName()))
            .Add("icon", t.GetIcon())
            .Add("textColor", t.GetTextColor())
            .Add("sound", Cp1252ToUtf8(t.GetSound()))
            .Add("defaultDuration", t.GetDefaultDuration())
            .Add("defaultRemindBefore", t.GetDefaultRemindBefore())
            .Add("useDefaultStart", t.GetUseDefaultStart())
            .Add("defaultStart", t.GetDefaultStart().ToIsoText());
        rows.push_back(o.Text());
    }
    m_out << "[";
    for (size_t i = 0; i < rows.size(); ++i) m_out << (i ? ",\n  " : "\n  ") << rows[i];
    m_out << (rows.empty() ? "]\n" : "\n]\n");
    return 0;
}

int Session::Day(const Options& o) {
    o.ExpectPositional(1, "one date, YYYY-MM-DD");
    const DateTime date = ParseDate(o.Positional()[0], "The day");
    std::vector<const CPtEvent*> events;
    std::string ids;
    {
        CEventStore::AllLock lock(m_store);
        m_store.GetEventsOfDay(date, events);
        for (const CPtEvent* ev : events) ids += (ids.empty() ? "" : ", ") + std::to_string(ev->GetId());
    }
    m_out << "[" << ids << "]\n";
    return 0;
}

void Session::ApplyRecurrence(CPtEvent& ev, const Options& o) {
    const int kinds = o.Has("--daily") + o.Has("--weekly") + o.Has("--monthly") + o.Has("--yearly");
    if (kinds > 1) throw UsageError("Choose one of --daily, --weekly, --monthly and --yearly.");
    CReCurrence& rule = ev.GetRecurrence();
    if (kinds == 0) {
        if (o.Has("--until") || o.Has("--on") || o.Has("--nth") || o.Has("--weekday") || o.Has("--month") ||
            o.Has("--day"))
            throw UsageError("Recurrence options need one of --daily, --weekly, --monthly or --yearly.");
        return;
    }
    if (o.Has("--daily")) {
        rule.SetPatternType(kPatternDaily);
        static_cast<CDailyRePattern*>(rule.GetPattern())->SetInterval(ParseIntIn(*o.Get("--daily"), "The daily interval", 1, 365));
    } else if (o.Has("--weekly")) {
        rule.SetPatternType(kPatternWeekly);
        auto* p = static_cast<CWeeklyRePattern*>(rule.GetPattern());
        p->SetInterval(ParseIntIn(*o.Get("--weekly"), "The weekly interval", 1, 51));
        int mask = 0;
        const std::string days = o.Get("--on").value_or("");
        size_t start = 0;
        while (start <= days.size() && !days.empty()) {
            const size_t comma = days.find(',', start);
            const std::string day = days.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            mask |= 1 << (ParseWeekday(day) - 1);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (!o.Has("--on")) mask = 1 << (ev.GetStart().GetDayOfWeek() - 1);
        p->SetWeekdayMask(mask);
    } else if (o.Has("--monthly")) {
        rule.SetPatternType(kPatternMonthly);
        auto* p = static_cast<CMonthlyRePattern*>(rule.GetPattern());
        p->SetInterval(ParseIntIn(*o.Get("--monthly"), "The monthly interval", 1, 12));
        if (o.Has("--nth")) {
            p->SetDayMode(false);
            p->SetOrdinal(ParseOrdinal(*o.Get("--nth")));
            if (!o.Has("--weekday")) throw UsageError("--nth needs --weekday.");
            p->SetWeekday(ParseWeekday(*o.Get("--weekday")));
        } else {
            p->SetDayMode(true);
            const int day = o.Has("--day") ? ParseIntIn(*o.Get("--day"), "The day of the month", 1, 31)
                                           : ev.GetStart().GetDay();
            p->SetDay(day);
            if (day >= 29)
                m_err << "Some months has less than " << day << " days. The last day will be used\n";
        }
    } else {
        rule.SetPatternType(kPatternYearly);
        auto* p = static_cast<CYearlyRePattern*>(rule.GetPattern());
        p->SetMonth(o.Has("--month") ? ParseMonth(*o.Get("--month")) : ev.GetStart().GetMonth());
        if (o.Has("--nth")) {
            p->SetDayMode(false);
            p->SetOrdinal(ParseOrdinal(*o.Get("--nth")));
            if (!o.Has("--weekday")) throw UsageError("--nth needs --weekday.");
            p->SetWeekday(ParseWeekday(*o.Get("--weekday")));
        } else {
            p->SetDayMode(true);
            const int day = o.Has("--day") ? ParseIntIn(*o.Get("--day"), "The day of the month", 1, 31)
                                           : ev.GetStart().GetDay();
            // The same refusal as the recurrence dialog: the day must exist in every year.
            if (!DateTime::FromParts(2002, p->GetMonth(), day).IsValid() ||
                !DateTime::FromParts(2003, p->GetMonth(), day).IsValid())
                throw UsageError("Invalid time");
            p->SetDay(day);
        }
    }
    rule.SetStart(ev.GetStart());
    rule.SetEnd(ev.GetStart());
    rule.SetDuration(ev.GetDuration());
    if (o.Has("--until")) {
        rule.SetEndEnabled(true);
        rule.SetEnd(ParseDate(*o.Get("--until"), "The end date").DateOnly());
    }
}

int Session::Add(const Options& o) {
    if (!o.Positional().empty()) throw UsageError("add takes options only; see --help.");
    CPtEvent ev(m_now);
    if (auto type = o.Get("--type")) {
        CEventType t;
        if (!m_types.FindByName(Utf8ToCp1252(*type), t)) {
            m_err << "No event type is named \"" << *type << "\".\n";
            return 1;
        }
        ev.ApplyType(t.GetId(), m_types);
    } else if (m_types.GetCount() > 0) {
        ev.ApplyType(m_types.GetAt(0).GetId(), m_types);
    }
    const std::string name = Utf8ToCp1252(o.Get("--name").value_or(""));
    if (name.empty()) {
        m_err << "Name cannot be empty!\n";
        return 1;
    }
    if (name.size() > 255) throw UsageError("The name is longer than 255 characters.");
    ev.SetName(name);
    if (auto note = o.Get("--note")) ev.SetNote(Utf8ToCp1252(*note));
    if (o.Has("--disabled")) ev.SetEnabled(false);
    if (auto start = o.Get("--start")) ev.SetStart(ParseDate(*start, "The start"));
    if (auto d = o.Get("--duration")) ev.SetDuration(ParseIntIn(*d, "The duration", 0, 0x7FFFFFFF));
    if (auto r = o.Get("--remind-before")) ev.SetRemindBefore(ParseIntIn(*r, "The remind-before time", 0, 0x7FFFFFFF));
    if (auto s = o.Get("--sound")) ev.SetSound(Utf8ToCp1252(*s));
    ApplyRecurrence(ev, o);
    if (ev.GetStart() < m_now) {
        m_err << "This event occurs in the past, you need to change start time.\n";
        return 1;
    }
    if (!m_store.Add(ev)) {
        m_err << kCannotAddEventMessage << "\n";
        return 1;
    }
    if (!Save(false)) return 1;
    m_out << ev.GetId() << "\n";
    return 0;
}

int Session::Change(const std::string& command, const Options& o) {
    const size_t expected = command == "snooze" ? 2 : 1;
    o.ExpectPositional(expected, command == "snooze" ? "an event id and a number of seconds" : "one event id");
    const uint32_t id = ParseId(o.Positional()[0]);
    int seconds = 0;
    if (command == "snooze") seconds = ParseIntIn(o.Positional()[1], "The snooze length", 0, 0x7FFFFFFF);
    if (command == "delete") {
        if (!m_store.Delete(id)) {
            m_err << "No event has the id " << id << ".\n";
            return 1;
        }
        return Save(false) ? 0 : 1;
    }
    CPtEvent ev;
    if (!m_store.GetById(id, ev)) {
        m_err << "No event has the id " << id << ".\n";
        return 1;
    }
    if (command == "accept") {
        ev.Accept(m_now);
        ev.ClearShowing();
    } else if (command == "snooze") {
        ev.Snooze(seconds, m_now);
        ev.ClearShowing();
    } else {
        ev.SetEnabled(command == "enable");
    }
    // Answering a reminder closes it, as the pop-up's buttons do.
    m_store.Modify(id, ev, command == "accept" || command == "snooze" ? ShowingMark::Replace : ShowingMark::Keep);
    return Save(false) ? 0 : 1;
}

int Session::Transfer(const std::string& command, const Options& o) {
    o.ExpectPositional(1, command == "import-plumtrace" ? "one folder" : "one file");
    const std::string& path = o.Positional()[0];
    if (command == "backup" || command == "export") {
        const FileResult r = command == "backup" ? WriteBackup(path, m_types, m_store) : WriteExport(path, m_types, m_store);
        return Report(r) ? 0 : 1;
    }
    TransferResult r;
    if (command == "restore") {
        r = RestoreBackup(path, m_types, m_store);
    } else if (command == "import") {
        ImportOptions opt;
        opt.events = !o.Has("--no-events");
        opt.types = !o.Has("--no-types");
        r = ImportExportFile(path, opt, m_types, m_store);
    } else if (command == "import-holidays") {
        r = ImportHolidayFile(path, m_types, m_store, m_now);
    } else {
        r = ImportPlumtrace(path, m_types, m_store);
    }
    for (const std::string& name : r.refusedTypes)
        m_err << kTypeExistsMessage << " (" << Cp1252ToUtf8(name) << ")\n";
    for (size_t i = 0; i < r.eventsRefused; ++i) m_err << kCannotAddEventMessage << "\n";
    if (!r.ok()) {
        // Nothing reaches the disk after a failed command, whatever was merged in memory.
        m_err << r.message << "\n";
        return 1;
    }
    if (!Save(true)) return 1;
    // The restored events' ids may now name other events than the calendar files' UIDs did.
    if (command == "restore") Report(ics::ReconcileUidsAfterRestore(m_store));
    return 0;
}

int Session::Ics(const std::string& command, const Options& o) {
    o.ExpectPositional(1, "one file");
    const std::string& path = o.Positional()[0];
    if (command == "export-ics") return ExportIcs(path, m_store, m_types, m_now, m_out, m_err);
    return ImportIcs(path, o.Has("--nearest"), m_store, m_types, m_now, [this] { return Save(false); }, m_out, m_err);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string dataDir;
    std::optional<DateTime> now;
    std::vector<std::string> rest;
    try {
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a == "--help" || a == "-h") {
                out << kUsage;
                return 0;
            }
            if (a == "--data-dir" || a == "--now") {
                if (i + 1 >= args.size()) throw UsageError("The option " + a + " needs a value.");
                if (a == "--data-dir") dataDir = args[++i];
                else now = ParseDate(args[++i], "The moment given to --now");
                continue;
            }
            rest.push_back(a);
        }
        if (rest.empty()) throw UsageError("No command given.");
        if (dataDir.empty()) dataDir = ExecutableFolder();
        if (dataDir.back() != '/') dataDir += '/';

        const std::string command = rest.front();
        const std::vector<std::string> tokens(rest.begin() + 1, rest.end());
        Session session(dataDir, now.value_or(LocalNow()), out, err);

        using Handler = std::function<int(const Options&)>;
        struct Command {
            std::vector<std::string> valueOptions, flags;
            Handler run;
        };
        const std::map<std::string, Command> commands = {
            {"events", {{}, {}, [&](const Options& o) { o.ExpectPositional(0, "no arguments"); return session.Events(); }}},
            {"types", {{}, {}, [&](const Options& o) { o.ExpectPositional(0, "no arguments"); return session.Types(); }}},
            {"day", {{}, {}, [&](const Options& o) { return session.Day(o); }}},
            {"add",
             {{"--name", "--note", "--start", "--duration", "--remind-before", "--type", "--sound", "--daily",
               "--weekly", "--on", "--monthly", "--day", "--nth", "--weekday", "--month", "--until"},
              {"--disabled", "--yearly"},
              [&](const Options& o) { return session.Add(o); }}},
            {"export-ics", {{}, {}, [&](const Options& o) { return session.Ics("export-ics", o); }}},
            {"import-ics", {{}, {"--nearest"}, [&](const Options& o) { return session.Ics("import-ics", o); }}},
        };
        const auto found = commands.find(command);
        std::function<int()> run;
        if (found != commands.end()) {
            const Options options(tokens, found->second.valueOptions, found->second.flags);
            run = [&, options] { return found->second.run(options); };
        } else if (command == "accept" || command == "snooze" || command == "delete" || command == "enable" ||
                   command == "disable") {
            const Options options(tokens, {}, {});
            run = [&, options] { return session.Change(command, options); };
        } else if (command == "backup" || command == "restore" || command == "export" || command == "import" ||
                   command == "import-holidays" || command == "import-plumtrace") {
            const Options options(tokens, {}, command == "import" ? std::vector<std::string>{"--no-events", "--no-types"}
                                                                   : std::vector<std::string>{});
            run = [&, options] { return session.Transfer(command, options); };
        } else {
            throw UsageError("Unknown command \"" + command + "\".");
        }
        static const char* const kWriting[] = {"add", "accept", "snooze", "delete", "enable", "disable",
                                               "restore", "import", "import-holidays", "import-plumtrace",
                                               // export-ics writes the UIDs beside the event file
                                               "export-ics", "import-ics"};
        if (std::find(std::begin(kWriting), std::end(kWriting), command) != std::end(kWriting) &&
            !session.LockForWriting())
            return 1;
        session.Load();
        return run();
    } catch (const UsageError& e) {
        err << e.what() << "\n" << "Run tallyvane-cli --help for the commands.\n";
        return 1;
    }
}

}  // namespace tv::cli
