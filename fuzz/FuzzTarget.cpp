// One libFuzzer target; TALLYVANE_FUZZ_TARGET names the reader it drives.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tvfuzz::RunTarget(TALLYVANE_FUZZ_TARGET, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
