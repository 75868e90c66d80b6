// The enabling rules of the main window's commands and the page of each page command.
#include "Commands.h"

#include "views/ViewSwitching.h"

namespace tv {

bool IsCommandAllowed(CommandRule rule, const CommandState& s) {
    switch (rule) {
        case CommandRule::Always: return true;
        case CommandRule::NotOnFind: return CanCreateEvent(s.view);
        case CommandRule::Selection: return s.hasSelection;
        case CommandRule::SelectionNotOnFind: return s.hasSelection && s.view != kViewFind;
        case CommandRule::GotoThisDay: return CanGotoThisDay(s.view);
        case CommandRule::GotoDate: return CanGotoDate(s.view);
        case CommandRule::SyncIdle: return !s.syncing;
    }
    return false;
}

int ViewIndexOfCommand(int id) {
    // In ViewIndex order.
    constexpr int kPageCommands[kViewCount] = {cmd::kDaily,   cmd::kWeekDay, cmd::kWeekly,
                                               cmd::kMonthly, cmd::kFind,    cmd::kAllEvents};
    for (int i = 0; i < kViewCount; ++i)
        if (kPageCommands[i] == id) return i;
    return -1;
}

}  // namespace tv
