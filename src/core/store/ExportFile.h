// Export files (*.exp): the type table and every event, merged into what is there on import.
#pragma once

#include <string>
#include <string_view>

#include "EventStore.h"
#include "EventTypeTable.h"
#include "TransferResult.h"
#include "platform/FileResult.h"

namespace tv {

inline constexpr char kExportTag[] = "KORVATE[Export]1000";

// The file image WriteExport saves: tag, type table body, then each event list as a count
// and its records.
std::string ExportToBytes(const CEventTypeTable& types, const CEventStore& store);
FileResult WriteExport(const std::string& path, const CEventTypeTable& types, const CEventStore& store);

struct ImportOptions {
    bool events = true;  // "Import Event"
    bool types = true;   // "Import Event Type"
};
// Merges the file's types and adds its events under new ids. A file that cannot be read to
// its end changes nothing.
TransferResult ImportExportFile(const std::string& path, const ImportOptions& options, CEventTypeTable& types,
                                CEventStore& store);
TransferResult ImportExportBytes(std::string_view bytes, const std::string& name, const ImportOptions& options,
                                 CEventTypeTable& types, CEventStore& store);

}  // namespace tv
