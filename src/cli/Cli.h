// tallyvane-cli: the program's core behind a scriptable command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tv {
class CEventStore;
class CEventTypeTable;
struct ProgramRequest;
}  // namespace tv

namespace tv::cli {

struct ExtendedCommands;

// Runs one command line (without the program name). Answers the exit status: 0 on success,
// 1 on any error, with the error's text on err. When the running program holds the data
// folder, the program carries the command out and its answer is passed on. Without extended
// (the everyday tool), a command line that needs them replaces this process by the full tool.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const ExtendedCommands* extended);

// The event store and type table a command works on, and where the types are saved.
struct CalendarRef {
    CEventTypeTable& types;
    CEventStore& store;
    std::string typesPath;
};

struct ProgramRun {
    int status = 0;
    bool writes = false;  // a command that may have changed the calendar, whatever its status
};

// The running program's side of Run: the same command table and handlers on the program's
// own store and types, already loaded and locked by the program, with the same messages and
// exit status. Relative file names start at the request's working folder.
ProgramRun RunForProgram(const ProgramRequest& request, const CalendarRef& calendar, const ExtendedCommands& extended,
                         std::ostream& out, std::ostream& err);

}  // namespace tv::cli
