// Reading holiday files into yearly events.
#include "HolidayFile.h"

#include <cstdlib>
#include <vector>

#include "ImportMerge.h"
#include "model/TextCodec.h"

namespace tv {

namespace {

// Like atoi: leading blanks, an optional sign, digits up to the first non-digit.
int ReadNumber(std::string_view field) { return std::atoi(std::string(field).c_str()); }

// The rest of the line after its n-th comma (the line has at least n commas).
std::string_view AfterComma(std::string_view line, int n) {
    size_t pos = 0;
    for (int i = 0; i < n; ++i) pos = line.find(',', pos) + 1;
    return line.substr(pos);
}

}  // namespace

std::optional<HolidayLine> ParseHolidayLine(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) break;
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(line.substr(start));  // the last field runs to the end of the line
    if (fields.size() < 4) return std::nullopt;

    HolidayLine h;
    h.name = std::string(fields[0]);
    h.kind = ReadNumber(fields[1]);
    if (h.kind == 1) {
        // name,1,month,day: the day field is everything after the third comma.
        h.month = ReadNumber(fields[2]);
        h.day = ReadNumber(AfterComma(line, 3));
        if (h.month < 1 || h.month > 12 || h.day < 1 || h.day > 31) return std::nullopt;
        // A day the month never has (30 February) or not every year (29 February) would give
        // a yearly event whose next occurrence cannot be formed: the recurrence dialog refuses
        // such days, and so does the import.
        if (h.day > DaysInMonth(2003, h.month)) return std::nullopt;
        return h;
    }
    if (h.kind == 2) {
        if (fields.size() < 5) return std::nullopt;
        h.ordinal = ReadNumber(fields[2]);
        h.weekday = ReadNumber(fields[3]);
        h.month = ReadNumber(AfterComma(line, 4));
        if (h.ordinal < 1 || h.ordinal > 5 || h.weekday < 1 || h.weekday > 7 || h.month < 1 || h.month > 12)
            return std::nullopt;
        return h;
    }
    return std::nullopt;
}

CPtEvent MakeHolidayEvent(const HolidayLine& line, const CEventTypeTable& types, const DateTime& now) {
    const DateTime today = now.DateOnly();
    CPtEvent ev(now);
    ev.SetDuration(86400);
    ev.SetName(line.name);
    ev.SetStart(today);
    ev.ApplyTypeByName("Holiday", types);
    CReCurrence& rule = ev.GetRecurrence();
    rule.SetPatternType(kPatternYearly);
    rule.SetStart(today);
    rule.SetEnd(today);
    rule.SetEndEnabled(false);
    rule.SetDuration(86400);
    auto* yearly = static_cast<CYearlyRePattern*>(rule.GetPattern());
    yearly->SetMonth(line.month);
    if (line.kind == 1) {
        yearly->SetDayMode(true);
        yearly->SetDay(line.day);
    } else {
        yearly->SetDayMode(false);
        yearly->SetOrdinal(line.ordinal);
        yearly->SetWeekday(line.weekday);
    }
    return ev;
}

TransferResult ImportHolidayFile(const std::string& path, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now) {
    TransferResult result;
    std::string bytes;
    if (!transfer::ReadFileFor(path, bytes, result)) return result;
    result = ImportHolidayText(bytes, types, store, now);
    if (!result.note.empty()) result.note = "The file \"" + path + "\" is damaged (" + result.note + ").";
    return result;
}

TransferResult ImportHolidayText(std::string_view bytes, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now) {
    TransferResult result;
    size_t replaced = 0;
    const std::string decoded = DecodeTextFile(bytes, replaced);
    if (replaced > 0) result.note = DamagedTextsNote(replaced);
    std::string_view text = decoded;
    bool header = true;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            header = false;
            continue;
        }
        const auto holiday = ParseHolidayLine(line);
        if (!holiday) continue;
        CPtEvent ev = MakeHolidayEvent(*holiday, types, now);
        if (store.Add(ev)) ++result.eventsAdded;
        else ++result.eventsRefused;
    }
    return result;
}

}  // namespace tv
