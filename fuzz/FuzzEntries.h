// The byte-level entry points shared by the libFuzzer targets and the corpus replay test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tvfuzz {

// Each reads one input the way the program reads that kind of file, asks of the result what
// the views and the scheduler ask, and aborts with a message when an invariant is broken.
void EventFile(std::string_view data);
void TypeFile(std::string_view data);
void Backup(std::string_view data);
void Export(std::string_view data);
void Holiday(std::string_view data);
// Two little-endian bytes give the length of evty.ptt; evnt.pte is the rest.
void Plumtrace(std::string_view data);
// An iCalendar file, imported and exported again.
void Ics(std::string_view data);

// A calendar server's multistatus answer, and the calendar resources it carries.
void Multistatus(std::string_view data);

// Runs the entry point of a target by its name ("event_file", ...); false for an unknown name.
bool RunTarget(std::string_view target, std::string_view data);

}  // namespace tvfuzz
