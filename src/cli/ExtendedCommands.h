// The commands that need libical and libcurl. The everyday tool is built without them, so that
// asking it for a day does not first load some forty libraries for TLS, Kerberos, LDAP and ICU;
// it hands these command lines to the full tool instead (HandOnToFullTool). The full tool and
// the program pass FullToolCommands() to Run.
#pragma once

#include "IcsCommands.h"
#include "SyncCommand.h"

namespace tv::cli {

struct ExtendedCommands {
    decltype(&ExportIcs) exportIcs;
    decltype(&ImportIcs) importIcs;
    decltype(&Sync) sync;
};

// Defined in tallyvane_cli_extended, which links libical and libcurl.
const ExtendedCommands& FullToolCommands();

}  // namespace tv::cli
