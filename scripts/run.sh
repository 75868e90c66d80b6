#!/usr/bin/env bash
# Sets up, builds and starts Tallyvane on the shipped data in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -x build/bin/tallyvane ]; then
  exec build/bin/tallyvane "$@"
fi
exec build/bin/tallyvane-cli --data-dir build/bin events
