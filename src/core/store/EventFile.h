// Evnt.est's frame around its two list bodies, and questions answered by streaming through the
// file without building the store.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "DataFile.h"
#include "ListBody.h"
#include "RecordStream.h"
#include "model/DateTime.h"

namespace tv {

// The tag, the version word and the reserved block.
void WriteEventFileHeader(ArchiveWriter& ar);

// Reads the frame and has readLists read the two list bodies; itemsKept answers how many
// events were kept in the end. The report is what loading the file reports.
LoadReport ReadEventFile(RecordStream& in, const DataFile& file,
                         const std::function<ListReadResult(RecordStream&)>& readLists,
                         const std::function<size_t()>& itemsKept);

// What a store freshly loaded from the file would report, and the ids its GetEventsOfDay would
// answer for date, found in one pass over the file: a command that asks one day need not hold
// every event in memory, nor the file.
struct DayQuery {
    LoadReport report;
    std::vector<uint32_t> ids;
};
DayQuery QueryEventsOfDay(const std::string& path, const DateTime& date);
// The same for a file's bytes.
DayQuery QueryEventsOfDay(std::string_view bytes, const std::string& path, const DateTime& date);

}  // namespace tv
