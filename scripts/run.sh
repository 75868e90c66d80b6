#!/usr/bin/env bash
# Sets up, builds and starts Tallyvane on the shipped data in build/bin (the program folder).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYVANE_BUILD_BENCH=ON
cmake --build build -j"$(nproc)"
# build/bin is the data folder here, and Tallyvane refuses one that others may write to (a umask
# of 002 makes new folders group-writable).
chmod go-w build/bin
exec build/bin/tallyvane --data-dir build/bin "$@"
