#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and fuzzes one or all of them.
#   scripts/fuzz.sh [SECONDS] [TARGET...]      default: 600 seconds, every target one after another
# Findings land in build-fuzz/artifacts/TARGET/; the growing corpus in build-fuzz/corpus/TARGET/.
# scripts/fuzz.sh --merge TARGET...  minimises build-fuzz/corpus/TARGET into fuzz/corpus/TARGET
# (edge coverage only, so the corpus kept in the repository stays a few dozen files).
set -euo pipefail
cd "$(dirname "$0")/.."
# Two runs side by side share one build: the second is started with TALLYVANE_FUZZ_NO_BUILD=1.
if [ -z "${TALLYVANE_FUZZ_NO_BUILD:-}" ]; then
  scripts/deps.sh --fuzz
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALLYVANE_BUILD_FUZZERS=ON -DTALLYVANE_BUILD_APP=OFF -DTALLYVANE_BUILD_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j2
fi
ALL=(event_file type_file backup export holiday plumtrace ics multistatus)
max_len() {
  case "$1" in
    holiday) echo 1024 ;;
    type_file) echo 2048 ;;
    ics | multistatus) echo 8192 ;;
    *) echo 4096 ;;
  esac
}
seeds=build-fuzz/seeds
mkdir -p "$seeds"
build-fuzz/bin/tallyvane-fuzz-seeds "$seeds"

if [ "${1:-}" = "--merge" ]; then
  shift
  for t in "$@"; do
    mkdir -p "fuzz/corpus/$t"
    tmp=$(mktemp -d)
    build-fuzz/bin/fuzz_"$t" -merge=1 -use_counters=0 -max_len="$(max_len "$t")" "$tmp" "fuzz/corpus/$t" "$seeds/$t" \
      "build-fuzz/corpus/$t" >/dev/null 2>&1
    rm -f "fuzz/corpus/$t"/*
    # Content-named files, so the same input is never stored twice.
    for f in "$tmp"/*; do cp "$f" "fuzz/corpus/$t/$(sha1sum "$f" | cut -c1-16)"; done
    rm -rf "$tmp"
    echo "$t: $(ls "fuzz/corpus/$t" | wc -l) files"
  done
  exit 0
fi

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${ALL[@]}")
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/artifacts/$t" "fuzz/corpus/$t" "fuzz/regressions/$t"
  # Unbounded allocations and memory growth count as findings, not as slowness.
  build-fuzz/bin/fuzz_"$t" "build-fuzz/corpus/$t" "fuzz/corpus/$t" "$seeds/$t" "fuzz/regressions/$t" \
    -max_total_time="$seconds" -max_len="$(max_len "$t")" -rss_limit_mb=2048 -malloc_limit_mb=256 \
    -timeout=10 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t/" 2>&1 |
    tee "build-fuzz/fuzz-$t.log" | grep -E "^(stat::|==|SUMMARY|artifact_prefix|Test unit written|.*invariant broken)" || true
done
