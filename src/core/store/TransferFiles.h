// Backups, exports and the imports of foreign files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "EventStore.h"
#include "FileResult.h"
#include "model/EventTypeTable.h"

namespace tv {

inline constexpr char kBackupTag[] = "KORVATE[Backup]1000";
inline constexpr char kExportTag[] = "KORVATE[Export]1000";
inline constexpr char kPlumtraceTag[] = "PLUMTRC";

inline constexpr char kInvalidBackupMessage[] = "Invalid Backup File!";
inline constexpr char kInvalidExportMessage[] = "Invalid Export File!";
inline constexpr char kInvalidPlumtraceMessage[] = "Invalid Plumtrace 2.3 File.";
inline constexpr char kTypeExistsMessage[] = "This Event Type has already existed, please choose another name!";
inline constexpr char kCannotAddEventMessage[] = "Can not add an event!\n\nPlease use Purge command!";

enum class TransferError {
    None,
    WrongTag,      // not a file of the expected kind; nothing was read past the tag
    FileError,     // the file could not be opened, read or written
    ArchiveError,  // the file ends early or holds impossible data
};

struct TransferResult {
    TransferError error = TransferError::None;
    std::string message;                     // what to tell the user when error != None
    std::string note;                        // a file read to its end that is still damaged
    std::vector<std::string> refusedTypes;   // names refused as duplicates, one message each
    size_t typesAdded = 0;
    size_t eventsAdded = 0;
    size_t eventsRefused = 0;                // no free id for them
    bool ok() const { return error == TransferError::None; }
};

// The file images WriteBackup and WriteExport save.
std::string BackupToBytes(const CEventTypeTable& types, const CEventStore& store);
std::string ExportToBytes(const CEventTypeTable& types, const CEventStore& store);

FileResult WriteBackup(const std::string& path, const CEventTypeTable& types, const CEventStore& store);
// Replaces the type table and both event lists, but only when the whole file could be read:
// a wrong or damaged file changes nothing.
TransferResult RestoreBackup(const std::string& path, CEventTypeTable& types, CEventStore& store);
// The same from a file image already in memory; name is the file named in messages.
TransferResult RestoreBackupFromBytes(std::string_view bytes, const std::string& name, CEventTypeTable& types,
                                      CEventStore& store);

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

struct HolidayLine {
    std::string name;
    int kind = 0;  // 1 fixed day, 2 n-th weekday
    int month = 0, day = 0, ordinal = 0, weekday = 0;
};
std::optional<HolidayLine> ParseHolidayLine(std::string_view line);
// Builds the yearly event a holiday line stands for, starting today.
CPtEvent MakeHolidayEvent(const HolidayLine& line, const CEventTypeTable& types, const DateTime& now);
TransferResult ImportHolidayFile(const std::string& path, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now);
// bytes: UTF-16 with a byte-order mark, UTF-8, or else Windows-1252.
TransferResult ImportHolidayText(std::string_view bytes, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now);

// folder holds evty.ptt and evnt.pte.
TransferResult ImportPlumtrace(const std::string& folder, CEventTypeTable& types, CEventStore& store);
// The same from the two file images; the names are the files named in messages.
TransferResult ImportPlumtraceBytes(std::string_view typeBytes, std::string_view eventBytes,
                                    const std::string& typeName, const std::string& eventName,
                                    CEventTypeTable& types, CEventStore& store);

}  // namespace tv
