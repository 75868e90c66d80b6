// tallyvane-cli sync [--url URL] [--user U] [--password-file F] [--timeout S].
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "store/EventStore.h"
#include "store/EventTypeTable.h"

namespace tv::cli {

struct SyncArguments {
    std::optional<std::string> url, user, passwordFile;
    int timeoutSeconds = 120;
};

// One two-way sync of the store with the calendar; the saved settings stand in for a missing
// URL and user. The password comes from the file or from TALLYVANE_SYNC_PASSWORD, never from
// the command line, where every user could read it.
int Sync(const SyncArguments& args, CEventStore& store, const CEventTypeTable& types, const DateTime& now,
         std::ostream& out, std::ostream& err);

}  // namespace tv::cli
