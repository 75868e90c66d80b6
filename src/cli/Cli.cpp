// The commands of tallyvane-cli: one table drives their usage text, their dispatch and which of
// them write; each row names the handler that does the work through the core's rules.
#include "Cli.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <unistd.h>
#include <thread>

#include "CommandLine.h"
#include "ExtendedCommands.h"
#include "Json.h"
#include "UidMap.h"
#include "editing/EventEditorModel.h"
#include "editing/RecurrenceModel.h"
#include "model/PtEvent.h"
#include "model/TextCodec.h"
#include "platform/DataFolder.h"
#include "platform/DataFolderLock.h"
#include "platform/Environment.h"
#include "shell/ProgramRequests.h"
#include "store/EventFile.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "store/ProgramFolder.h"
#include "store/TransferFiles.h"
#include "texts/UserTexts.h"

namespace tv::cli {

namespace {

constexpr char kProgram[] = "tallyvane-cli";
constexpr char kVersion[] = TALLYVANE_VERSION;
// How long a writer waits for another tallyvane-cli writer before it gives up.
constexpr std::chrono::seconds kWriterPatience{5};
// How long the running program may take to answer: an import of a large file included.
constexpr std::chrono::seconds kProgramPatience{30};
// How long a writer waits for a program that holds the folder but has not said where it
// listens yet: one that is starting.
constexpr std::chrono::seconds kStartingProgramPatience{3};

class Session;
using Handler = int (Session::*)(const ParsedArgs&);

struct Command {
    const char* name;
    const char* arguments;  // the positional arguments, as the usage shows them
    size_t argumentCount;   // exactly this many
    bool writes;            // changes the data folder, so holds it for the whole run
    const char* summary;
    std::vector<OptionSpec> options;
    Handler run;
};

const std::vector<OptionSpec> kGlobalOptions = {
    {"--data-dir", "DIR", "the data folder (default: $XDG_DATA_HOME/tallyvane)"},
    {"--trust-data-dir", nullptr, "use a data folder another user owns or others may write to"},
    {"--now", "\"YYYY-MM-DD HH:MM:SS\"", "the moment every rule uses (default: the clock)"},
    {"--help", nullptr, "this text; COMMAND --help describes one command"},
    {"--version", nullptr, "the program's version"},
};

const std::vector<OptionSpec> kAddOptions = {
    {"--name", "TEXT", "the event's name (required)"},
    {"--note", "TEXT", "a note"},
    {"--start", "\"YYYY-MM-DD HH:MM[:SS]\"", "when it happens (default: the type's default start, else now)"},
    {"--duration", "SECONDS", "how long it lasts (default: the type's)"},
    {"--remind-before", "SECONDS", "how early the reminder comes (default: the type's)"},
    {"--type", "NAME", "the event type (default: the first type)"},
    {"--sound", "FILE", "the reminder's sound (default: the type's)"},
    {"--disabled", nullptr, "no reminder until it is enabled"},
    {"--daily", "N", "every N days"},
    {"--weekly", "N", "every N weeks, on the days of --on (default: the start's day)"},
    {"--on", "DAYS", "weekdays such as mon,thu"},
    {"--monthly", "N", "every N months, on --day or on --nth --weekday"},
    {"--yearly", nullptr, "every year, in --month on --day or on --nth --weekday"},
    {"--day", "D", "day of the month (default: the start's)"},
    {"--nth", "ORD", "first, second, third, fourth or last"},
    {"--weekday", "DAY", "a weekday name"},
    {"--month", "M", "a month number or name (default: the start's)"},
    {"--until", "YYYY-MM-DD", "the last day of the series"},
};

const std::vector<OptionSpec> kImportIcsOptions = {
    {"--nearest", nullptr, "imports an event the file says more of than Tallyvane can hold as its nearest event"},
};

const std::vector<OptionSpec> kSyncOptions = {
    {"--url", "URL", "the calendar, or its server (default: the one set in Options)"},
    {"--user", "NAME", "the user name on the server (default: the one set in Options)"},
    {"--password-file", "FILE", "a file holding the password (default: $TALLYVANE_SYNC_PASSWORD)"},
    {"--timeout", "SECONDS", "how long the server may take to answer (default: 120)"},
};

const std::vector<OptionSpec> kImportOptions = {
    {"--no-events", nullptr, "merge the types only"},
    {"--no-types", nullptr, "add the events, merging only the types they use"},
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
    if (used == 0 || used != text.size()) throw UsageError(Format(texts::kCliNotANumber, what.c_str(), text.c_str()));
    return v;
}

int ParseIntIn(const std::string& text, const std::string& what, int low, int high) {
    const int64_t v = ParseInteger(text, what);
    if (v < low || v > high) throw UsageError(Format(texts::kCliOutOfRange, what.c_str(), low, high));
    return static_cast<int>(v);
}

// An integer for a recurrence page's box; whether it is in the box's range is the page's check.
int ParsePageField(const std::string& text) {
    const IntFieldResult r = ParseIntField(text, {-1000000000, 1000000000});
    if (!r.ok) throw UsageError(r.message);
    return r.value;
}

uint32_t ParseId(const std::string& text) {
    const int64_t v = ParseInteger(text, "An event id");
    if (v <= 0 || v > 0xFFFFFFFFll) throw UsageError(Format(texts::kCliNotAnId, text.c_str()));
    return static_cast<uint32_t>(v);
}

// A name from the list, by its first three letters or more, or its number (1-based).
int ParseNamed(const std::string& text, const std::vector<const char*>& names, const char* error) {
    const std::string t = Lower(text);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string name = names[i];
        if (t.size() >= 3 && t.size() <= name.size() && name.compare(0, t.size(), t) == 0) return int(i) + 1;
    }
    if (!t.empty() && std::all_of(t.begin(), t.end(), ::isdigit) && t.size() < 3 && std::stoi(t) >= 1 &&
        std::stoi(t) <= int(names.size()))
        return std::stoi(t);
    throw UsageError(Format(error, text.c_str()));
}

int ParseWeekday(const std::string& text) {
    return ParseNamed(text, {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"},
                      texts::kCliNotAWeekday);
}
int ParseOrdinal(const std::string& text) {
    return ParseNamed(text, {"first", "second", "third", "fourth", "last"}, texts::kCliNotAnOrdinal);
}
int ParseMonth(const std::string& text) {
    return ParseNamed(text,
                      {"january", "february", "march", "april", "may", "june", "july", "august", "september", "october",
                       "november", "december"},
                      texts::kCliNotAMonth);
}

DateTime ParseDate(const std::string& text, const std::string& what) {
    const DateTime d = DateTime::ParseIso(text);
    if (!d.IsValid()) throw UsageError(Format(texts::kCliNotADate, what.c_str(), text.c_str()));
    return d;
}

const char* StateName(ReminderState s) {
    switch (s) {
        case kReminderDone: return "done";
        case kReminderSnoozed: return "snoozed";
        default: return "armed";
    }
}

void PrintRows(std::ostream& out, const std::vector<std::string>& rows) {
    out << "[";
    for (size_t i = 0; i < rows.size(); ++i) out << (i ? ",\n  " : "\n  ") << rows[i];
    out << (rows.empty() ? "]\n" : "\n]\n");
}

// The calendar files as tallyvane-cli reads them when no program holds the folder.
struct LocalCalendar {
    explicit LocalCalendar(const std::string& dataDir) : store(dataDir + "Evnt.est") {}
    CEventTypeTable types;
    CEventStore store;
};

class Session {
public:
    Session(const CalendarRef& calendar, std::string dataDir, std::string workingDir, DateTime now,
            const ExtendedCommands* extended, std::ostream& out, std::ostream& err)
        : m_dataDir(std::move(dataDir)), m_workingDir(std::move(workingDir)), m_typesPath(calendar.typesPath),
          m_now(now), m_extended(extended), m_out(out), m_err(err), m_types(calendar.types), m_store(calendar.store) {}

    // Writing commands hold the data folder for their whole run, after any writer before them.
    DataFolderLock::WriterLock LockForWriter(std::string& why) {
        return m_lock.LockForWriter(m_dataDir, kWriterPatience, why);
    }

    // False, having said why, when a file is there but cannot be read at all: an empty answer
    // would pass for an empty calendar, and a save could not keep a copy of it first.
    // withEvents false leaves the event file to the command, which streams through it.
    bool Load(bool withEvents) {
        const LoadReport types = m_types.Load(m_dataDir + "Type.ptt", m_now);
        if (!Usable(types)) return false;
        m_eventsLoaded = withEvents;
        return !withEvents || Usable(m_store.Load());
    }

    int Events(const ParsedArgs&);
    int Types(const ParsedArgs&);
    int Day(const ParsedArgs&);
    int Add(const ParsedArgs&);
    int Accept(const ParsedArgs&);
    int Snooze(const ParsedArgs&);
    int Delete(const ParsedArgs&);
    int Enable(const ParsedArgs&);
    int Disable(const ParsedArgs&);
    int Backup(const ParsedArgs&);
    int Export(const ParsedArgs&);
    int Restore(const ParsedArgs&);
    int Import(const ParsedArgs&);
    int ImportHolidays(const ParsedArgs&);
    int ImportPlumtrace(const ParsedArgs&);
    int ExportIcs(const ParsedArgs&);
    int ImportIcs(const ParsedArgs&);
    int Sync(const ParsedArgs&);

    // Set when the running program carries the command line out on its own calendar.
    bool inProgram = false;

private:
    void Warn(const LoadReport& r) {
        if (r.NeedsPreservation()) m_err << "warning: " << r.message << "\n";
        if (r.renumbered) m_err << "warning: " << Format(texts::kCliRenumbered, r.renumbered) << "\n";
    }
    // Warns about a damaged file; false, having said why, for one that cannot be read at all.
    bool Usable(const LoadReport& r) {
        if (r.status == LoadStatus::Unreadable) {
            m_err << r.message << "\n";
            return false;
        }
        Warn(r);
        return true;
    }
    bool Report(const FileResult& r) {
        if (!r.note.empty()) m_err << r.note << "\n";
        if (!r.ok) m_err << r.message << "\n";
        return r.ok;
    }
    int Fail(const std::string& message) {
        m_err << message << "\n";
        return 1;
    }
    // Saves the type file when it changed (or holds seeded types not yet on disk), then the
    // event file. Answers the exit status, having said why either could not be saved.
    int Save(bool typesChanged) {
        if (typesChanged || m_types.HasUnsavedSeed()) {
            if (!Report(m_types.Save(m_typesPath))) return 1;
        }
        return Report(m_store.Save()) ? 0 : 1;
    }
    // Changes one event as an answer or a switch would; Modify keeps or takes its showing mark.
    int Change(const ParsedArgs& a, const std::function<void(CPtEvent&)>& change, ShowingMark mark);
    int FinishTransfer(const TransferResult& r);
    bool EditRecurrence(const ParsedArgs& a, CEventEditorModel& editor);
    // The FILE or DIR argument. The program runs in a folder of its own, so a relative name
    // it is sent starts where the command line was typed.
    std::string PathArgument(const ParsedArgs& a) const {
        const std::filesystem::path path(a.Positional()[0]);
        if (m_workingDir.empty() || path.is_absolute()) return a.Positional()[0];
        return (std::filesystem::path(m_workingDir) / path).string();
    }

    std::string m_dataDir;
    std::string m_workingDir;
    std::string m_typesPath;
    DateTime m_now;
    // Null in the everyday tool, which hands the commands that need them on before a session.
    const ExtendedCommands* m_extended;
    std::ostream& m_out;
    std::ostream& m_err;
    DataFolderLock m_lock;
    CEventTypeTable& m_types;
    CEventStore& m_store;
    // False when the command line runs on its own and Day streams through the event file.
    bool m_eventsLoaded = true;
};

const std::vector<Command>& Commands() {
    // One row per command reads best as one line per row.
    // clang-format off
    static const std::vector<Command> kCommands = {
        {"events", "", 0, false, "every event as JSON, in store order", {}, &Session::Events},
        {"types", "", 0, false, "every event type as JSON, in table order", {}, &Session::Types},
        {"day", "YYYY-MM-DD", 1, false, "the ids of the events on that day, as JSON", {}, &Session::Day},
        {"add", "", 0, true, "adds an event and prints its new id", kAddOptions, &Session::Add},
        {"accept", "ID", 1, true, "answers the event's reminder with Accept", {}, &Session::Accept},
        {"snooze", "ID SECONDS", 2, true, "answers the event's reminder with Snooze", {}, &Session::Snooze},
        {"delete", "ID", 1, true, "deletes the event", {}, &Session::Delete},
        {"enable", "ID", 1, true, "switches the event's reminder on", {}, &Session::Enable},
        {"disable", "ID", 1, true, "switches the event's reminder off", {}, &Session::Disable},
        {"backup", "FILE", 1, false, "writes every type and event with their ids", {}, &Session::Backup},
        {"restore", "FILE", 1, true, "replaces every type and event by a backup's", {}, &Session::Restore},
        {"export", "FILE", 1, false, "writes every type and event for an import elsewhere", {}, &Session::Export},
        {"import", "FILE", 1, true, "merges an export file's types and events", kImportOptions, &Session::Import},
        {"import-holidays", "FILE", 1, true, "adds the yearly holidays of a holiday file", {},
         &Session::ImportHolidays},
        {"import-plumtrace", "DIR", 1, true, "merges the older product's evty.ptt and evnt.pte", {},
         &Session::ImportPlumtrace},
        // export-ics writes the UIDs beside the event file, so it holds the folder too.
        {"export-ics", "FILE", 1, true, "writes every event as an iCalendar file", {}, &Session::ExportIcs},
        {"import-ics", "FILE", 1, true, "adds the events of an iCalendar file", kImportIcsOptions,
         &Session::ImportIcs},
        {"sync", "", 0, true, "two-way sync of the events with a CalDAV calendar", kSyncOptions, &Session::Sync},
    };
    // clang-format on
    return kCommands;
}

std::string OptionText(const OptionSpec& o) { return o.value ? std::string(o.name) + "=" + o.value : o.name; }

void PrintOptions(std::ostream& out, const std::vector<OptionSpec>& options) {
    for (const OptionSpec& o : options) {
        const std::string text = OptionText(o);
        out << "  " << text << std::string(text.size() < 34 ? 34 - text.size() : 1, ' ') << o.help << "\n";
    }
}

std::string CommandLineOf(const Command& c) {
    std::string line = c.name;
    if (!c.options.empty()) line += " [OPTIONS]";
    if (*c.arguments) line += std::string(" ") + c.arguments;
    return line;
}

void PrintUsage(std::ostream& out) {
    out << "usage: " << kProgram << " [--data-dir=DIR] [--now=\"YYYY-MM-DD HH:MM:SS\"] COMMAND [ARGS]\n"
        << "       " << kProgram << " COMMAND --help | --help | --version\n";
    for (bool writes : {false, true}) {
        out << (writes ? "\nChanging the data folder:\n" : "\nReading the data folder:\n");
        for (const Command& c : Commands()) {
            if (c.writes != writes) continue;
            const std::string line = CommandLineOf(c);
            out << "  " << line << std::string(line.size() < 34 ? 34 - line.size() : 1, ' ') << c.summary << "\n";
        }
    }
    out << "\nOptions:\n";
    PrintOptions(out, kGlobalOptions);
    out << "\nOptions take their value as --opt=VALUE or --opt VALUE; \"--\" ends the options.\n"
        << "Errors go to standard error with exit status 1, and change no file.\n";
}

void PrintCommandHelp(std::ostream& out, const Command& c) {
    out << "usage: " << kProgram << " [--data-dir=DIR] [--now=MOMENT] " << CommandLineOf(c) << "\n\n"
        << c.summary
        << (c.writes ? "; waits for another tallyvane-cli that is writing. While Tallyvane runs on the data "
                       "folder, Tallyvane carries it out.\n"
                     : "; while Tallyvane runs on the data folder, from what Tallyvane holds.\n");
    if (!c.options.empty()) {
        out << "\nOptions:\n";
        PrintOptions(out, c.options);
    }
}

// ---- reading -----------------------------------------------------------------------------

int Session::Events(const ParsedArgs&) {
    std::vector<std::string> rows;
    m_store.ForEachEvent([&](const CPtEvent& ev) {
        JsonObject o;
        o.Add("id", ev.GetId())
            .Add("name", ev.GetName())
            .Add("note", ev.GetNote())
            .Add("sound", ev.GetSound())
            .Add("typeId", ev.GetType())
            .Add("state", StateName(ev.GetReminderState()))
            .Add("enabled", ev.IsEnabled())
            .Add("start", ev.GetStart().ToIsoText())
            .Add("duration", ev.GetDuration())
            .Add("remindBefore", ev.GetRemindBefore())
            .Add("recurrence", ev.GetRecurrence().GetDescription())
            .Add("occurrence", ev.GetOccurrence(m_now).ToIsoText())
            .Add("reminder", ev.GetReminderTime(m_now).ToIsoText())
            .Add("due", ev.IsDue(m_now));
        rows.push_back(o.Text());
    });
    PrintRows(m_out, rows);
    return 0;
}

int Session::Types(const ParsedArgs&) {
    std::vector<std::string> rows;
    for (const CEventType& t : m_types.Snapshot()) {
        JsonObject o;
        o.Add("id", t.GetId())
            .Add("name", t.GetName())
            .Add("icon", t.GetIcon())
            .Add("textColor", t.GetTextColor())
            .Add("sound", t.GetSound())
            .Add("defaultDuration", t.GetDefaultDuration())
            .Add("defaultRemindBefore", t.GetDefaultRemindBefore())
            .Add("useDefaultStart", t.GetUseDefaultStart())
            .Add("defaultStart", t.GetDefaultStart().ToIsoText());
        rows.push_back(o.Text());
    }
    PrintRows(m_out, rows);
    return 0;
}

// Without a loaded store, one pass over the event file answers what a loaded store would, in a
// fraction of the time and memory: nothing but the day's ids is kept.
int Session::Day(const ParsedArgs& a) {
    const DateTime date = ParseDate(a.Positional()[0], "The day");
    std::vector<uint32_t> found;
    if (m_eventsLoaded) {
        std::vector<const CPtEvent*> events;
        CEventStore::AllLock lock(m_store);
        m_store.GetEventsOfDay(date, events);
        for (const CPtEvent* ev : events) found.push_back(ev->GetId());
    } else {
        DayQuery day = QueryEventsOfDay(m_store.GetFilePath(), date);
        if (!Usable(day.report)) return 1;
        found = std::move(day.ids);
    }
    std::string ids;
    for (uint32_t id : found) ids += (ids.empty() ? "" : ", ") + std::to_string(id);
    m_out << "[" << ids << "]\n";
    return 0;
}

// ---- adding: the event editor's and the recurrence dialog's rules ---------------------------

// Fills the recurrence dialog's model as a user would, from the start the editor shows, and
// lets the dialog's OK check decide.
bool Session::EditRecurrence(const ParsedArgs& a, CEventEditorModel& editor) {
    const char* kinds[] = {"--daily", "--weekly", "--monthly", "--yearly"};
    const int given = int(std::count_if(std::begin(kinds), std::end(kinds), [&](const char* k) { return a.Has(k); }));
    if (given > 1) throw UsageError(texts::kCliOneRecurrenceKind);
    if (given == 0) {
        for (const char* o : {"--until", "--on", "--nth", "--weekday", "--month", "--day"})
            if (a.Has(o)) throw UsageError(texts::kCliRecurrenceNeedsKind);
        return true;
    }
    const CReCurrence before = editor.BeginRecurrenceEdit(editor.start);
    CRecurrenceModel dialog;
    dialog.LoadFromRule(editor.rule);
    const DateTime& start = editor.start;
    RecurrencePages& pages = dialog.pages;
    const bool nth = a.Has("--nth");
    if (nth && !a.Has("--weekday")) throw UsageError(texts::kCliNthNeedsWeekday);
    const int day = a.Has("--day") ? ParsePageField(*a.Get("--day")) : start.GetDay();
    const int ordinalIndex = nth ? ParseOrdinal(*a.Get("--nth")) - 1 : 0;
    const int weekdayIndex = nth ? ParseWeekday(*a.Get("--weekday")) - 1 : 0;
    if (a.Has("--daily")) {
        dialog.SwitchKind(kPatternDaily);
        pages.daily.interval = ParsePageField(*a.Get("--daily"));
    } else if (a.Has("--weekly")) {
        dialog.SwitchKind(kPatternWeekly);
        pages.weekly.interval = ParsePageField(*a.Get("--weekly"));
        pages.weekly.days.fill(false);
        if (!a.Has("--on")) pages.weekly.days[start.GetDayOfWeek() - 1] = true;
        std::istringstream days(a.Get("--on").value_or(""));
        for (std::string d; std::getline(days, d, ',');) pages.weekly.days[ParseWeekday(d) - 1] = true;
        if (std::none_of(pages.weekly.days.begin(), pages.weekly.days.end(), [](bool b) { return b; }))
            throw UsageError(texts::kCliNoWeekdays);
    } else if (a.Has("--monthly")) {
        dialog.SwitchKind(kPatternMonthly);
        MonthlyPage& m = pages.monthly;
        m.dayMode = !nth;
        m.day = day;
        m.dayInterval = m.theInterval = ParsePageField(*a.Get("--monthly"));
        m.ordinalIndex = ordinalIndex;
        m.weekdayIndex = weekdayIndex;
    } else {
        dialog.SwitchKind(kPatternYearly);
        YearlyPage& y = pages.yearly;
        y.dayMode = !nth;
        y.day = day;
        y.everyMonthIndex = y.theMonthIndex = (a.Has("--month") ? ParseMonth(*a.Get("--month")) : start.GetMonth()) - 1;
        y.ordinalIndex = ordinalIndex;
        y.weekdayIndex = weekdayIndex;
    }
    if (auto until = a.Get("--until")) {
        dialog.endsOn = true;
        dialog.end = ParseDate(*until, "The end date").DateOnly();
    }
    const RecurrenceOkCheck check = dialog.CheckOk();
    if (check.outcome != RecurrenceOkCheck::Outcome::Accept) {
        editor.CancelRecurrenceEdit(before);
        Fail(check.message);
        return false;
    }
    if (!check.notice.empty()) m_err << check.notice << "\n";
    dialog.ApplyToRule(editor.rule);
    editor.FinishRecurrenceEdit();
    return true;
}

// A value that becomes a stored text. Bytes that are not UTF-8 would be stored as something
// else than the user typed, so they are refused rather than changed.
std::optional<std::string> TextOption(const ParsedArgs& a, const char* name) {
    std::optional<std::string> v = a.Get(name);
    if (v && !IsValidUtf8(*v)) throw UsageError(Format(texts::kCliNotUtf8, name));
    return v;
}

int Session::Add(const ParsedArgs& a) {
    CPtEvent ev(m_now);
    if (auto type = TextOption(a, "--type")) {
        CEventType t;
        if (!m_types.FindByName(*type, t)) return Fail(Format(texts::kCliNoTypeNamed, type->c_str()));
        ev.ApplyType(t.GetId(), m_types);
    } else if (m_types.GetCount() > 0) {
        ev.ApplyType(m_types.GetAt(0).GetId(), m_types);
    }
    CEventEditorModel editor(true);
    editor.LoadFromEvent(ev);
    editor.name = TextOption(a, "--name").value_or("");
    // The editor's box stops the typing; a script gets told instead of a cut name.
    if (CountCodePoints(editor.name) > kMaxEventNameLength) throw UsageError(texts::kCliNameTooLong);
    if (auto note = TextOption(a, "--note")) editor.note = *note;
    if (a.Has("--disabled")) editor.enabled = false;
    if (auto start = a.Get("--start")) editor.start = ParseDate(*start, "The start");
    if (auto d = a.Get("--duration")) editor.duration = ParseIntIn(*d, "The duration", 0, 0x7FFFFFFF);
    if (auto r = a.Get("--remind-before"))
        editor.remindBefore = ParseIntIn(*r, "The remind-before time", 0, 0x7FFFFFFF);
    if (auto s = TextOption(a, "--sound")) editor.sound = *s;
    if (!EditRecurrence(a, editor)) return 1;
    if (const EditorCheck check = editor.Check(m_now); check != EditorCheck::Ok) return Fail(EditorCheckMessage(check));
    editor.StoreToEvent(ev, m_now, m_types);
    if (!m_store.Add(ev)) return Fail(texts::kNoFreeId);
    if (Save(false) != 0) return 1;
    m_out << ev.GetId() << "\n";
    return 0;
}

// ---- answers and switches ------------------------------------------------------------------

int Session::Change(const ParsedArgs& a, const std::function<void(CPtEvent&)>& change, ShowingMark mark) {
    const uint32_t id = ParseId(a.Positional()[0]);
    CPtEvent ev;
    if (!m_store.GetById(id, ev)) return Fail(Format(texts::kCliNoEventWithId, id));
    change(ev);
    m_store.Modify(id, ev, mark);
    return Save(false);
}

// Answering a reminder closes it, as the pop-up's buttons do.
int Session::Accept(const ParsedArgs& a) {
    return Change(
        a,
        [&](CPtEvent& ev) {
            ev.Accept(m_now);
            ev.ClearShowing();
        },
        ShowingMark::Replace);
}

int Session::Snooze(const ParsedArgs& a) {
    const int seconds = ParseIntIn(a.Positional()[1], "The snooze length", 0, 0x7FFFFFFF);
    return Change(
        a,
        [&](CPtEvent& ev) {
            ev.Snooze(seconds, m_now);
            ev.ClearShowing();
        },
        ShowingMark::Replace);
}

int Session::Enable(const ParsedArgs& a) {
    return Change(
        a, [](CPtEvent& ev) { ev.SetEnabled(true); }, ShowingMark::Keep);
}

int Session::Disable(const ParsedArgs& a) {
    return Change(
        a, [](CPtEvent& ev) { ev.SetEnabled(false); }, ShowingMark::Keep);
}

int Session::Delete(const ParsedArgs& a) {
    const uint32_t id = ParseId(a.Positional()[0]);
    if (!m_store.Delete(id)) return Fail(Format(texts::kCliNoEventWithId, id));
    return Save(false);
}

// ---- transfer files --------------------------------------------------------------------------

int Session::Backup(const ParsedArgs& a) { return Report(WriteBackup(PathArgument(a), m_types, m_store)) ? 0 : 1; }

int Session::Export(const ParsedArgs& a) { return Report(WriteExport(PathArgument(a), m_types, m_store)) ? 0 : 1; }

int Session::FinishTransfer(const TransferResult& r) {
    for (const std::string& name : r.refusedTypes) m_err << texts::kTypeExists << " (" << name << ")\n";
    for (size_t i = 0; i < r.eventsRefused; ++i) m_err << texts::kNoFreeId << "\n";
    // Nothing reaches the disk after a failed command, whatever was merged in memory.
    if (!r.ok()) return Fail(r.message);
    if (!r.note.empty()) m_err << "warning: " << r.note << "\n";
    return Save(true);
}

int Session::Restore(const ParsedArgs& a) {
    if (FinishTransfer(RestoreBackup(PathArgument(a), m_types, m_store)) != 0) return 1;
    // The restored events' ids may now name other events than the calendar files' UIDs did.
    Report(ics::ReconcileUidsAfterRestore(m_store));
    return 0;
}

int Session::ExportIcs(const ParsedArgs& a) {
    return m_extended->exportIcs(PathArgument(a), m_store, m_types, m_now, m_out, m_err);
}

int Session::ImportIcs(const ParsedArgs& a) {
    return m_extended->importIcs(
        PathArgument(a), a.Has("--nearest"), m_store, m_types, m_now, [this] { return Save(false) == 0; }, m_out,
        m_err);
}

int Session::Sync(const ParsedArgs& a) {
    // The program syncs on a thread of its own; a second sync of the same calendar beside it
    // would race it for the sync state, and would hold the program's windows for the network.
    if (inProgram) {
        m_err << texts::kCliSyncInProgram << "\n";
        return 1;
    }
    SyncArguments args;
    args.url = a.Get("--url");
    args.user = a.Get("--user");
    args.passwordFile = a.Get("--password-file");
    if (auto t = a.Get("--timeout")) args.timeoutSeconds = ParseIntIn(*t, "The timeout", 1, 3600);
    return m_extended->sync(args, m_store, m_types, m_now, m_out, m_err);
}

int Session::Import(const ParsedArgs& a) {
    ImportOptions options;
    options.events = !a.Has("--no-events");
    options.types = !a.Has("--no-types");
    return FinishTransfer(ImportExportFile(PathArgument(a), options, m_types, m_store));
}

int Session::ImportHolidays(const ParsedArgs& a) {
    return FinishTransfer(ImportHolidayFile(PathArgument(a), m_types, m_store, m_now));
}

int Session::ImportPlumtrace(const ParsedArgs& a) {
    return FinishTransfer(tv::ImportPlumtrace(PathArgument(a), m_types, m_store));
}

// A command line read against the table, before anything is read from the data folder.
struct Invocation {
    const Command* command = nullptr;  // null when --help or --version answered already
    ParsedArgs parsed;
    std::string dataDir;  // ending in '/'
    bool dataDirGiven = false;
};

Invocation ReadCommandLine(const std::vector<std::string>& args, std::ostream& out) {
    Invocation inv;
    ParsedArgs global;
    const size_t at = ParseArgs(args, 0, kGlobalOptions, true, global);
    if (global.Has("--version")) {
        out << kProgram << " " << kVersion << "\n";
        return inv;
    }
    if (global.Has("--help")) {
        PrintUsage(out);
        return inv;
    }
    if (at >= args.size()) throw UsageError(texts::kCliNoCommand);
    const std::string& name = args[at];
    const auto& commands = Commands();
    const auto command =
        std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return name == c.name; });
    if (command == commands.end()) throw UsageError(Format(texts::kCliUnknownCommand, name.c_str()));

    // The shared options may also follow the command.
    std::vector<OptionSpec> options = kGlobalOptions;
    options.insert(options.end(), command->options.begin(), command->options.end());
    inv.parsed = global;
    ParseArgs(args, at + 1, options, false, inv.parsed);
    if (inv.parsed.Has("--help")) {
        PrintCommandHelp(out, *command);
        return inv;
    }
    if (inv.parsed.Positional().size() != command->argumentCount)
        throw UsageError(Format(texts::kCliWrongArguments, command->name,
                                *command->arguments ? command->arguments : "no arguments"));
    const std::optional<std::string> given = inv.parsed.Get("--data-dir");
    inv.dataDirGiven = given.has_value();
    inv.dataDir = given ? *given : DefaultDataFolder(ProcessEnvironment(), ExecutableFolder());
    if (given && inv.dataDir.empty()) throw UsageError(Format(texts::kCliOptionNeedsValue, "--data-dir"));
    if (inv.dataDir.empty()) throw UsageError(texts::kCliNoDefaultDataFolder);
    if (inv.dataDir.back() != '/') inv.dataDir += '/';
    inv.command = &*command;
    return inv;
}

DateTime MomentOf(const ParsedArgs& parsed) {
    return parsed.Has("--now") ? ParseDate(*parsed.Get("--now"), "The moment given to --now") : LocalNow();
}

// Hands the command line to the program that holds the data folder, when one says where it
// listens and answers for this folder. Nothing when no program answers for it; the command
// then runs here.
std::optional<int> RunInProgram(const std::vector<std::string>& args, const std::string& dataDir, std::ostream& out,
                                std::ostream& err) {
    const std::string socket = DataFolderLock::ReadRecord(dataDir);
    if (socket.empty()) return std::nullopt;
    // The program runs in a folder of its own: the data folder goes to it as an absolute path.
    std::error_code ec;
    ProgramRequest request{ProgramRequest::kRun, std::filesystem::absolute(dataDir, ec).string(),
                           std::filesystem::current_path(ec).string(), args};
    const AskOutcome outcome = AskProgram(socket, request, kProgramPatience);
    switch (outcome.kind) {
        case AskOutcome::Kind::Answered:
            if (outcome.answer.kind == ProgramAnswer::Kind::OtherFolder) return std::nullopt;
            out << outcome.answer.out;
            err << outcome.answer.err;
            return outcome.answer.status;
        case AskOutcome::Kind::NoProgram: return std::nullopt;
        case AskOutcome::Kind::NoAnswer:
        case AskOutcome::Kind::BadAnswer: break;
    }
    err << Format(texts::kCliProgramFailed, dataDir.c_str(), outcome.why.c_str()) << "\n";
    return 1;
}

bool NeedsExtended(const Command& c) {
    return c.run == &Session::ExportIcs || c.run == &Session::ImportIcs || c.run == &Session::Sync;
}

// Replaces this process by the full tool, installed beside the program's other helpers, on the
// same command line and the same data folder: the default one is named, because the full tool
// lives in another folder and would not see a portable data folder beside this one. Answers
// only when it could not be started.
int HandOnToFullTool(const std::vector<std::string>& args, const Invocation& inv, std::ostream& err) {
    const std::string tool =
        std::filesystem::path(ExecutableFolder() + TALLYVANE_FULL_TOOL).lexically_normal().string();
    std::vector<std::string> line{tool};
    if (!inv.dataDirGiven) line.insert(line.end(), {"--data-dir", inv.dataDir});
    line.insert(line.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : line) argv.push_back(a.data());
    argv.push_back(nullptr);
    err.flush();
    ::execv(tool.c_str(), argv.data());
    err << Format(texts::kCliNoFullTool, inv.command->name, tool.c_str(), std::strerror(errno)) << "\n";
    return 1;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const ExtendedCommands* extended) {
    try {
        const Invocation inv = ReadCommandLine(args, out);
        if (!inv.command) return 0;
        // A data folder given that is not there is a typo far more often than an empty
        // calendar; the default one is made on first use, as the program makes it.
        std::error_code ec;
        if (inv.dataDirGiven && !std::filesystem::is_directory(inv.dataDir, ec)) {
            err << Format(texts::kCliNoDataFolder, inv.dataDir.c_str()) << "\n";
            return 1;
        }
        const FileResult ready =
            PrepareDataFolder(inv.dataDir, !inv.dataDirGiven, inv.parsed.Has(kTrustOption), ::getuid());
        if (!ready) {
            err << ready.message << "\n";
            return 1;
        }
        if (!extended && NeedsExtended(*inv.command)) return HandOnToFullTool(args, inv, err);
        if (const auto status = RunInProgram(args, inv.dataDir, out, err)) return *status;
        const DateTime now = MomentOf(inv.parsed);
        LocalCalendar files(inv.dataDir);
        Session session({files.types, files.store, inv.dataDir + "Type.ptt"}, inv.dataDir, {}, now, extended, out, err);
        if (inv.command->writes) {
            std::string why;
            DataFolderLock::WriterLock taken = session.LockForWriter(why);
            // A program that took the folder a moment ago says where it listens soon after.
            const auto giveUp = std::chrono::steady_clock::now() + kStartingProgramPatience;
            while (taken == DataFolderLock::WriterLock::ProgramRunning && std::chrono::steady_clock::now() < giveUp) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                if (const auto status = RunInProgram(args, inv.dataDir, out, err)) return *status;
                taken = session.LockForWriter(why);
            }
            if (taken != DataFolderLock::WriterLock::Locked) {
                err << why << "\n";
                return 1;
            }
        }
        if (!session.Load(inv.command->run != &Session::Day)) return 1;
        return (session.*(inv.command->run))(inv.parsed);
    } catch (const UsageError& e) {
        err << e.what() << "\n" << texts::kCliSeeHelp << "\n";
        return 1;
    }
}

ProgramRun RunForProgram(const ProgramRequest& request, const CalendarRef& calendar, const ExtendedCommands& extended,
                         std::ostream& out, std::ostream& err) {
    try {
        const Invocation inv = ReadCommandLine(request.args, out);
        if (!inv.command) return {0, false};
        Session session(calendar, request.dataDir, request.workingDir, MomentOf(inv.parsed), &extended, out, err);
        session.inProgram = true;
        return {(session.*(inv.command->run))(inv.parsed), inv.command->writes};
    } catch (const UsageError& e) {
        err << e.what() << "\n" << texts::kCliSeeHelp << "\n";
        return {1, false};
    }
}

}  // namespace tv::cli
