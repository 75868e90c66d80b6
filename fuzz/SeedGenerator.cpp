// Writes seed inputs for every fuzz target with the program's own writers: OUTDIR/<target>/NAME.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/EventTypeTable.h"
#include "IcsExport.h"
#include "model/PtEvent.h"
#include "store/EventStore.h"
#include "store/TransferFiles.h"

using namespace tv;
namespace fs = std::filesystem;

namespace {

const DateTime kNow = DateTime::FromParts(2026, 3, 20, 8, 15, 0);

void Write(const fs::path& dir, const std::string& name, const std::string& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

CPtEvent Event(const std::string& name, const DateTime& start) {
    CPtEvent ev(kNow);
    ev.SetName(name);
    ev.SetStart(start);
    ev.SetRemindBefore(600);
    ev.GetRecurrence().SetStart(start);
    ev.GetRecurrence().SetEnd(start);
    return ev;
}

// One event of every kind the editor can make, plus the bookkeeping states.
std::vector<CPtEvent> Events() {
    std::vector<CPtEvent> out;
    CPtEvent once = Event("Dentist", DateTime::FromParts(2026, 3, 29, 2, 30));
    once.SetNote("Bring the card");
    once.SetSound("Ding.wav");
    out.push_back(once);

    CPtEvent snoozed = Event("Call back", DateTime::FromParts(2026, 3, 20, 9, 0));
    snoozed.Snooze(300, kNow);
    out.push_back(snoozed);

    CPtEvent done = Event("Paid", DateTime::FromParts(2026, 3, 1, 12, 0));
    done.Accept(kNow);
    done.SetEnabled(false);
    out.push_back(done);

    CPtEvent daily = Event("Pills", DateTime::FromParts(2026, 3, 1, 8, 0));
    daily.GetRecurrence().SetPatternType(kPatternDaily);
    static_cast<CDailyRePattern*>(daily.GetRecurrence().GetPattern())->SetInterval(2);
    daily.Accept(kNow);
    out.push_back(daily);

    CPtEvent weekly = Event("Team", DateTime::FromParts(2026, 3, 2, 10, 0));
    weekly.GetRecurrence().SetPatternType(kPatternWeekly);
    auto* w = static_cast<CWeeklyRePattern*>(weekly.GetRecurrence().GetPattern());
    w->SetInterval(2);
    w->SetWeekdayMask(0x2A);
    weekly.GetRecurrence().SetEndEnabled(true);
    weekly.GetRecurrence().SetEnd(DateTime::FromParts(2026, 12, 31));
    out.push_back(weekly);

    CPtEvent monthlyDay = Event("Rent", DateTime::FromParts(2026, 1, 31, 7, 0));
    monthlyDay.GetRecurrence().SetPatternType(kPatternMonthly);
    static_cast<CMonthlyRePattern*>(monthlyDay.GetRecurrence().GetPattern())->SetDay(31);
    out.push_back(monthlyDay);

    CPtEvent monthlyNth = Event("Board", DateTime::FromParts(2026, 1, 27, 18, 0));
    monthlyNth.GetRecurrence().SetPatternType(kPatternMonthly);
    auto* m = static_cast<CMonthlyRePattern*>(monthlyNth.GetRecurrence().GetPattern());
    m->SetDayMode(false);
    m->SetOrdinal(5);
    m->SetWeekday(3);
    m->SetInterval(3);
    out.push_back(monthlyNth);

    CPtEvent yearly = Event("Anna's birthday", DateTime::FromParts(2026, 10, 25, 0, 0));
    yearly.SetDuration(86400);
    yearly.SetRemindBefore(2 * 86400);
    yearly.GetRecurrence().SetPatternType(kPatternYearly);
    auto* y = static_cast<CYearlyRePattern*>(yearly.GetRecurrence().GetPattern());
    y->SetMonth(10);
    y->SetDay(25);
    out.push_back(yearly);

    CPtEvent yearlyNth = Event("Clocks back", DateTime::FromParts(2026, 10, 25, 3, 0));
    yearlyNth.GetRecurrence().SetPatternType(kPatternYearly);
    auto* yn = static_cast<CYearlyRePattern*>(yearlyNth.GetRecurrence().GetPattern());
    yn->SetMonth(10);
    yn->SetDayMode(false);
    yn->SetOrdinal(5);
    yn->SetWeekday(1);
    out.push_back(yearlyNth);

    // A note long enough for the three-byte length prefix.
    CPtEvent longNote = Event("Long", DateTime::FromParts(2026, 5, 1, 12, 0));
    longNote.SetNote(std::string(300, 'n'));
    out.push_back(longNote);

    // Texts that Windows-1252 cannot hold are stored in the wide form.
    CPtEvent wide = Event("\xD0\x92\xD1\x81\xD1\x82\xD1\x80\xD0\xB5\xD1\x87\xD0\xB0 \xE4\xBC\x9A\xE8\xAD\xB0 \xF0\x9F\x8E\x82",
                          DateTime::FromParts(2026, 6, 1, 9, 0));
    wide.SetNote("\xD8\xA7\xD8\xAC\xD8\xAA\xD9\x85\xD8\xA7\xD8\xB9, \xCE\xA3\xCF\x8D\xCE\xBD\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x82");
    wide.SetSound("Gong \xC5\xBC.wav");
    out.push_back(wide);
    return out;
}

// Damaged copies of a file around its first wide text (FF FE FF, length, UTF-16LE units): a
// lone surrogate, the file ending inside a code unit, a huge length and a second marker.
std::vector<std::pair<std::string, std::string>> DamagedWide(const std::string& file) {
    const size_t at = file.find("\xFF\xFE\xFF");
    if (at == std::string::npos || at + 5 > file.size()) return {};
    const size_t units = at + 4;  // lengths below 255 take one byte
    std::string lone = file;
    lone[units] = '\x00';
    lone[units + 1] = '\xD8';
    std::string huge = file.substr(0, at + 3) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + file.substr(units);
    std::string twice = file.substr(0, at + 3) + file.substr(at);
    return {{"lone-surrogate", lone}, {"cut-in-unit", file.substr(0, units + 1)}, {"huge-length", huge},
            {"second-marker", twice}};
}

void Fill(CEventTypeTable& types, CEventStore& store, const std::vector<CPtEvent>& events) {
    for (CEventType t : DefaultEventTypes(kNow)) types.AddType(t);
    for (CPtEvent ev : events) {
        ev.ApplyTypeByName("Birthday", types);
        store.Add(ev);
    }
}

std::string PlumtraceInput(const std::vector<CEventType>& types, const std::vector<CPtEvent>& events,
                           const std::string& tag = kPlumtraceTag) {
    ArchiveWriter typeFile;
    typeFile.WriteU32(static_cast<uint32_t>(types.size()));
    typeFile.WriteU32(static_cast<uint32_t>(types.size() + 1));
    for (const CEventType& t : types) t.Serialize(typeFile);
    ArchiveWriter eventFile;
    eventFile.WriteText(tag);
    eventFile.WriteU16(0x0203);
    eventFile.WriteU32(0);
    eventFile.WriteU32(0);
    eventFile.WriteBytes(std::string(505, '\0'));
    eventFile.WriteText("Plumtrace");
    eventFile.WriteText("2.3");
    eventFile.WriteU32(static_cast<uint32_t>(events.size()));
    eventFile.WriteU32(0);
    for (const CPtEvent& ev : events) ev.Serialize(eventFile);
    const size_t n = typeFile.Data().size();
    std::string out;
    out += static_cast<char>(n & 0xFF);
    out += static_cast<char>((n >> 8) & 0xFF);
    return out + typeFile.Data() + eventFile.Data();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallyvane-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    const std::vector<CPtEvent> all = Events();

    CEventTypeTable emptyTypes;
    CEventStore emptyStore;
    CEventTypeTable types;
    CEventStore store;
    Fill(types, store, all);

    Write(out / "event_file", "empty.est", emptyStore.SaveToBytes());
    Write(out / "event_file", "all.est", store.SaveToBytes());
    for (size_t i = 0; i < all.size(); ++i) {
        CEventStore one;
        CPtEvent ev = all[i];
        one.Add(ev);
        Write(out / "event_file", "one-" + std::to_string(i) + ".est", one.SaveToBytes());
    }
    for (const auto& [name, bytes] : DamagedWide(store.SaveToBytes())) Write(out / "event_file", name + ".est", bytes);

    ArchiveWriter table;
    types.WriteTable(table);
    Write(out / "type_file", "defaults.ptt", table.Data());
    ArchiveWriter emptyTable;
    emptyTypes.WriteTable(emptyTable);
    Write(out / "type_file", "empty.ptt", emptyTable.Data());
    CEventTypeTable oneType;
    CEventType custom(kNow);
    custom.SetName("Gym");
    custom.SetIcon(7);
    custom.SetSound("Gong.wav");
    custom.SetUseDefaultStart(true);
    oneType.AddType(custom);
    ArchiveWriter oneTable;
    oneType.WriteTable(oneTable);
    Write(out / "type_file", "one.ptt", oneTable.Data());
    CEventTypeTable wideType;
    CEventType greek(kNow);
    greek.SetName("\xCE\x9A\xCF\x81\xCE\xAE\xCF\x84\xCE\xB7");
    LogFont face = greek.GetFont();
    face.SetFaceName("\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91");
    greek.SetFont(face);
    wideType.AddType(greek);
    ArchiveWriter wideTable;
    wideType.WriteTable(wideTable);
    Write(out / "type_file", "wide.ptt", wideTable.Data());
    for (const auto& [name, bytes] : DamagedWide(wideTable.Data())) Write(out / "type_file", name + ".ptt", bytes);

    Write(out / "backup", "all.bak", BackupToBytes(types, store));
    Write(out / "backup", "empty.bak", BackupToBytes(emptyTypes, emptyStore));
    Write(out / "backup", "types-only.bak", BackupToBytes(types, emptyStore));
    for (const auto& [name, bytes] : DamagedWide(BackupToBytes(wideType, store))) Write(out / "backup", name + ".bak", bytes);

    Write(out / "export", "all.exp", ExportToBytes(types, store));
    Write(out / "export", "empty.exp", ExportToBytes(emptyTypes, emptyStore));
    Write(out / "export", "one-type.exp", ExportToBytes(oneType, emptyStore));
    for (const auto& [name, bytes] : DamagedWide(ExportToBytes(wideType, store))) Write(out / "export", name + ".exp", bytes);

    Write(out / "holiday", "holidays.hdy",
          "Holidays 2026\n"
          "New Year,1,1,1\n"
          "Labour Day,1,5,1\n"
          "Mother's Day,2,2,1,5\n"
          "Thanksgiving,2,4,5,11\n"
          "Last Monday,2,5,2,5\n"
          "Christmas Eve, 1, 12, 24\n");
    Write(out / "holiday", "crlf.hdy", "Header\r\nA,1,2,28\r\nB,2,1,7,9\r\n");
    Write(out / "holiday", "skipped.hdy", "Header\nno commas\nBad,3,1,1\nOut,1,13,1\nOut,2,6,1,1\n,1,7,4\n");
    // The three encodings a holiday file may come in, and UTF-16 with a lone surrogate.
    Write(out / "holiday", "utf8.hdy", "Header\n\xD0\xA0\xD0\xBE\xD0\xB6\xD0\xB4\xD0\xB5\xD1\x81\xD1\x82\xD0\xB2\xD0\xBE,1,1,7\n");
    Write(out / "holiday", "cp1252.hdy", "Header\nF\xEAte,1,7,14\n");
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : std::u16string(u"H\n\u0422\u0435\u0442,1,3,1\n") + char16_t(0xD800) + u",1,2,5") {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    Write(out / "holiday", "utf16.hdy", utf16);

    std::vector<CEventType> typeList = types.Snapshot();
    Write(out / "plumtrace", "all.bin", PlumtraceInput(typeList, all));
    Write(out / "plumtrace", "types-only.bin", PlumtraceInput(typeList, {}));
    Write(out / "plumtrace", "one-each.bin", PlumtraceInput({custom}, {all[0], all[4]}));
    Write(out / "plumtrace", "wrong-tag.bin", PlumtraceInput({custom}, {all[0]}, "PLUMTRX"));
    for (const auto& [name, bytes] : DamagedWide(PlumtraceInput({greek}, {all.back()}))) Write(out / "plumtrace", name + ".bin", bytes);

    ics::CUidMap uids;
    Write(out / "ics", "all.ics", ics::ExportCalendar(store, types, uids, kNow).text);

    // Multistatus answers as servers give them: discovery, listings, a sync report, a multiget.
    const std::string head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<D:multistatus xmlns:D=\"DAV:\" "
                             "xmlns:C=\"urn:ietf:params:xml:ns:caldav\">";
    const std::string ok = "<D:status>HTTP/1.1 200 OK</D:status>";
    Write(out / "multistatus", "principal.xml",
          head + "<D:response><D:href>/</D:href><D:propstat><D:prop><D:current-user-principal><D:href>/alice/</D:href>"
                 "</D:current-user-principal><C:calendar-home-set><D:href>/alice/</D:href></C:calendar-home-set></D:prop>" +
              ok + "</D:propstat><D:propstat><D:prop><D:displayname/></D:prop><D:status>HTTP/1.1 404 Not Found</D:status>"
                   "</D:propstat></D:response></D:multistatus>");
    Write(out / "multistatus", "home.xml",
          head + "<D:response><D:href>/alice/cal/</D:href><D:propstat><D:prop><D:resourcetype><D:collection/><C:calendar/>"
                 "</D:resourcetype><D:displayname>Work &amp; home</D:displayname><C:supported-calendar-component-set>"
                 "<C:comp name=\"VEVENT\"/><C:comp name=\"VTODO\"/></C:supported-calendar-component-set></D:prop>" +
              ok + "</D:propstat></D:response></D:multistatus>");
    Write(out / "multistatus", "sync.xml",
          head + "<D:response><D:href>/alice/cal/a%40b.ics</D:href><D:propstat><D:prop><D:getetag>\"1\"</D:getetag></D:prop>" +
              ok + "</D:propstat></D:response><D:response><D:href>/alice/cal/gone.ics</D:href><D:status>HTTP/1.1 404 Not "
                   "Found</D:status></D:response><D:sync-token>http://x/ns/sync/2</D:sync-token></D:multistatus>");
    std::string calendar = ics::ExportCalendar(store, types, uids, kNow).text, escaped;
    for (char c : calendar) escaped += c == '&' ? std::string("&amp;") : c == '<' ? std::string("&lt;") : std::string(1, c);
    Write(out / "multistatus", "multiget.xml",
          head + "<D:response><D:href>http://h:1/alice/cal/x.ics</D:href><D:propstat><D:prop><D:getetag>W/\"2\"</D:getetag>"
                 "<C:calendar-data>" + escaped + "</C:calendar-data></D:prop>" + ok + "</D:propstat></D:response></D:multistatus>");
    return 0;
}
