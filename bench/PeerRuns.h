// Whole processes answering one day, side by side with the calendar programs installed beside us.
#pragma once

#include <string>
#include <vector>

#include "store/EventStore.h"

namespace tvbench {

// The events of a data folder as remind reads them: one REM line per event, the same days.
std::string RemindFileOf(const tv::CEventStore& store);

// For each count: the same generated events as Tallyvane's data folder, a remind file and a
// calcurse data folder (imported from our iCalendar export) under scratch; then each program
// asked for one day as a whole process, timed with its peak memory. Prints a table and answers
// the exit status.
int RunPeers(const std::string& cliPath, const std::string& scratch, const std::vector<int>& counts);

// For each count, a store file under scratch loaded by a fresh process and read whole by another,
// as a program starting on it does: every page of memory is new to both. selfPath is this
// benchmark, which times one of them with --time-load or --time-read FILE. Prints a table.
int RunFirstLoads(const std::string& selfPath, const std::string& scratch, const std::vector<int>& counts);

// The child's side: one load of the file into a store, or one read of its bytes into a fresh
// buffer, printed as "MILLISECONDS PAGE_FAULTS".
int TimeOneLoad(const std::string& path);
int TimeOneRead(const std::string& path);

}  // namespace tvbench
