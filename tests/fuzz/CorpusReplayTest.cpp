// Every file of fuzz/corpus/TARGET and fuzz/regressions/TARGET through TARGET's entry point.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "FuzzEntries.h"

namespace fs = std::filesystem;

namespace {

class CorpusReplay : public ::testing::TestWithParam<const char*> {};

size_t Replay(const std::string& target, const fs::path& folder) {
    if (!fs::exists(folder)) return 0;
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(in)), {});
        // A broken invariant aborts the process: the last name printed is the culprit.
        std::cerr << "replaying " << entry.path().string() << "\n";
        EXPECT_TRUE(tvfuzz::RunTarget(target, data));
        ++n;
    }
    return n;
}

}  // namespace

TEST_P(CorpusReplay, EveryInputPassesTheTargetsChecks) {
    const std::string target = GetParam();
    const fs::path root = TALLYVANE_FUZZ_DIR;
    const size_t corpus = Replay(target, root / "corpus" / target);
    const size_t regressions = Replay(target, root / "regressions" / target);
    EXPECT_GT(corpus, 0u) << "fuzz/corpus/" << target << " is empty";
    std::cout << "[ replayed ] " << target << ": " << corpus << " corpus files, " << regressions
              << " crash regressions\n";
}

INSTANTIATE_TEST_SUITE_P(EveryReader, CorpusReplay,
                         ::testing::Values("event_file", "type_file", "backup", "export", "holiday", "plumtrace", "ics", "multistatus"),
                         [](const auto& info) { return std::string(info.param); });
