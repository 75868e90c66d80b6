#!/usr/bin/env bash
# Starts the real program under Xvfb on a data folder of generated events (10,000 unless told)
# and prints the time until the clock window is shown, the resident memory after start and the
# CPU used over idle seconds. DISPLAY_NUMBER picks the Xvfb display instead of a free random one.
# usage: bench/measure-running.sh [BUILD_DIR] [IDLE_SECONDS] [EVENTS]
set -euo pipefail
build=${1:-build}
idle=${2:-60}
events=${3:-10000}
bin=$build/bin
for tool in Xvfb xdotool; do
  command -v $tool >/dev/null || { echo "needs $tool (apt-get install -y xvfb xdotool)"; exit 1; }
done
[ -x "$bin/tallyvane" ] && [ -x "$bin/tallyvane-bench" ] || { echo "build $bin/tallyvane and $bin/tallyvane-bench first"; exit 1; }

work=$(mktemp -d)
app= xvfb=
trap 'kill ${app:-} 2>/dev/null; wait ${app:-} 2>/dev/null; kill ${xvfb:-} 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$bin/Sound" "$bin/help" "$work/" 2>/dev/null || true
"$bin/tallyvane-bench" --make-data-folder "$work" "$events"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

if [ -n "${DISPLAY_NUMBER:-}" ]; then
  display=:$DISPLAY_NUMBER
else
  display=:$((90 + RANDOM % 100))
  while [ -e /tmp/.X${display#:}-lock ]; do display=:$((90 + RANDOM % 100)); done
fi
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 400); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start on $display"; exit 1; }

# A copy under its own name: one copy of "tallyvane" per user runs, and one may be open already.
cp "$bin/tallyvane" "$work/tallyvane-measured"
start=$(date +%s%N)
"$work/tallyvane-measured" --data-dir "$work" >"$work/log" 2>&1 &
app=$!
until xdotool search --onlyvisible --name '^Clock$' >/dev/null 2>&1; do
  kill -0 $app 2>/dev/null || { echo "the program ended:"; cat "$work/log"; exit 1; }
  sleep 0.005
done
shown=$(date +%s%N)
printf 'start-up to a shown clock: %d ms\n' $(( (shown - start) / 1000000 ))

sleep 3
rss=$(awk '/VmRSS/ {print $2}' /proc/$app/status)
awk -v kb="$rss" 'BEGIN { printf "resident memory after start: %.1f MB\n", kb / 1024 }'

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' /proc/$app/stat; }
c0=$(cpu); t0=$(date +%s%N)
sleep "$idle"
c1=$(cpu); t1=$(date +%s%N)
awk -v c=$((c1 - c0)) -v hz="$ticks" -v ns=$((t1 - t0)) \
  'BEGIN { printf "CPU while idle: %.3f %% of one core over %.0f s\n", 100 * (c / hz) / (ns / 1e9), ns / 1e9 }'
