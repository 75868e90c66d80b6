// Test helper: saves one file kind in a loop, alternating two known contents, until killed.
//   tallyvane-save-loop events|types|backup|export PATH
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "SaveLoopContent.h"

using namespace tv;
using tvtest::SaveKind;
using tvtest::FillSaveLoopContent;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tallyvane-save-loop events|types|backup|export PATH\n");
        return 2;
    }
    const std::string kindName = argv[1], path = argv[2];
    SaveKind kind;
    if (kindName == "events") kind = SaveKind::Events;
    else if (kindName == "types") kind = SaveKind::Types;
    else if (kindName == "backup") kind = SaveKind::Backup;
    else if (kindName == "export") kind = SaveKind::Export;
    else return 2;

    CEventTypeTable types[2];
    CEventStore stores[2] = {CEventStore(path), CEventStore(path)};
    for (int i = 0; i < 2; ++i) FillSaveLoopContent(i, types[i], stores[i]);
    // Tell the test the loop is about to start, so that its kill lands inside saves.
    if (::write(STDOUT_FILENO, "r", 1) != 1) return 3;
    for (unsigned n = 1;; ++n) {
        const int which = n % 2;
        FileResult r;
        switch (kind) {
            case SaveKind::Events: r = stores[which].Save(); break;
            case SaveKind::Types: r = types[which].Save(path); break;
            case SaveKind::Backup: r = WriteBackup(path, types[which], stores[which]); break;
            case SaveKind::Export: r = WriteExport(path, types[which], stores[which]); break;
        }
        if (!r.ok) {
            std::fprintf(stderr, "save failed: %s\n", r.message.c_str());
            return 1;
        }
    }
}
