// Test helper: saves one file kind in a loop, alternating two known contents, until killed.
//   tallyvane-save-loop events|types|backup|export PATH
#include <unistd.h>

#include <algorithm>
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
    const SaveKind* kind = std::find_if(std::begin(tvtest::kSaveKinds), std::end(tvtest::kSaveKinds),
                                        [&](SaveKind k) { return kindName == tvtest::SaveKindName(k); });
    if (kind == std::end(tvtest::kSaveKinds)) return 2;

    CEventTypeTable types[2];
    CEventStore stores[2] = {CEventStore(path), CEventStore(path)};
    for (int i = 0; i < 2; ++i) FillSaveLoopContent(i, types[i], stores[i]);
    // Tell the test the loop is about to start, so that its kill lands inside saves.
    if (::write(STDOUT_FILENO, "r", 1) != 1) return 3;
    for (unsigned n = 1;; ++n) {
        const int which = n % 2;
        const FileResult r = tvtest::SaveAs(*kind, path, types[which], stores[which]);
        if (!r.ok) {
            std::fprintf(stderr, "save failed: %s\n", r.message.c_str());
            return 1;
        }
    }
}
