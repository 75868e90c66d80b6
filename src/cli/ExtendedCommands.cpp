#include "ExtendedCommands.h"

namespace tv::cli {

const ExtendedCommands& FullToolCommands() {
    static const ExtendedCommands kCommands{&ExportIcs, &ImportIcs, &Sync};
    return kCommands;
}

}  // namespace tv::cli
