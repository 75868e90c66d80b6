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

}  // namespace tvbench
