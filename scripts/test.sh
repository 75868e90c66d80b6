#!/usr/bin/env bash
# Sets up, builds and runs every test. Used by newcomers and by CI (.ci/run).
#   1. the normal build and the whole test suite, then the install check (scripts/check-install.sh:
#      a scratch install, its desktop entry, metadata and manual pages, and the Debian package);
#   2. the core, the CLI and their tests (fuzz corpus replays included) under ASan + UBSan;
#   3. the threaded tests (the stress tests, the scheduler thread) under ThreadSanitizer.
# TALLYVANE_SANITIZERS=0 runs step 1 only (quick local runs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs="$(nproc)"
stamp() { date +%s; }
t0=$(stamp)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYVANE_BUILD_BENCH=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
scripts/check-install.sh build
t1=$(stamp)
echo "normal build and tests: $((t1 - t0)) s"
if [ "${TALLYVANE_SANITIZERS:-1}" = "0" ]; then exit 0; fi

# A finding stops the test with a stack trace instead of scrolling past.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYVANE_SANITIZE=address,undefined \
  -DTALLYVANE_BUILD_APP=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
t2=$(stamp)
echo "ASan + UBSan build and tests: $((t2 - t1)) s"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYVANE_SANITIZE=thread \
  -DTALLYVANE_BUILD_APP=OFF
cmake --build build-tsan -j"$jobs" --target core_reliability_tests core_tests
ctest --test-dir build-tsan --output-on-failure -j"$jobs" -R 'ConcurrencyStress|TimeTrouble|SchedulerShutdown|^Scheduler\.'
t3=$(stamp)
echo "TSan build and threaded tests: $((t3 - t2)) s"
echo "all tests: $((t3 - t0)) s"
