// Holiday files (*.hdy): a header line, then one yearly holiday per line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "EventStore.h"
#include "EventTypeTable.h"
#include "TransferResult.h"

namespace tv {

struct HolidayLine {
    std::string name;
    int kind = 0;  // 1 fixed day, 2 n-th weekday
    int month = 0, day = 0, ordinal = 0, weekday = 0;
};
// "name,1,month,day" or "name,2,ordinal,weekday,month"; nothing for a line to skip.
std::optional<HolidayLine> ParseHolidayLine(std::string_view line);
// Builds the yearly event a holiday line stands for, starting today.
CPtEvent MakeHolidayEvent(const HolidayLine& line, const CEventTypeTable& types, const DateTime& now);
TransferResult ImportHolidayFile(const std::string& path, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now);
// bytes: UTF-16 with a byte-order mark, UTF-8, or else Windows-1252.
TransferResult ImportHolidayText(std::string_view bytes, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now);

}  // namespace tv
