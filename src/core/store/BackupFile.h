// Backup files (*.bak): the whole type table and both event lists, ids and all.
#pragma once

#include <string>
#include <string_view>

#include "EventStore.h"
#include "EventTypeTable.h"
#include "TransferResult.h"
#include "platform/FileResult.h"

namespace tv {

inline constexpr char kBackupTag[] = "KORVATE[Backup]1000";

// The file image WriteBackup saves: tag, type table body, both event list bodies.
std::string BackupToBytes(const CEventTypeTable& types, const CEventStore& store);
FileResult WriteBackup(const std::string& path, const CEventTypeTable& types, const CEventStore& store);
// Replaces the type table and both event lists, but only when the whole file could be read:
// a wrong or damaged file changes nothing.
TransferResult RestoreBackup(const std::string& path, CEventTypeTable& types, CEventStore& store);
// The same from a file image already in memory; name is the file named in messages.
TransferResult RestoreBackupFromBytes(std::string_view bytes, const std::string& name, CEventTypeTable& types,
                                      CEventStore& store);

}  // namespace tv
