#!/usr/bin/env bash
# Installs the Debian packages Tallyvane needs to build, run and test. Safe to run again.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake ninja-build pkg-config   # compiler and build
  libgtest-dev libgmock-dev                       # core and CLI tests
  qt6-base-dev qt6-multimedia-dev                 # the desktop program (Widgets, PrintSupport, Multimedia)
  qt6-l10n-tools qt6-translations-l10n qt6-tools-dev   # lupdate and lrelease, and the CMake package that drives them; Qt's own German texts
  qt6-wayland                                     # Wayland sessions
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good   # WAV playback behind Qt Multimedia
  fonts-liberation                                # metric-compatible Arial for the clock and views
  xvfb xauth xdotool                              # headless display for checks that start the real program
  desktop-file-utils appstream man-db             # install check: desktop entry, AppStream metadata, man pages
  dpkg-dev lintian                                # the Debian package: dpkg-shlibdeps for its dependencies, lintian
  dbus-daemon                                     # dbus-run-session: a private session bus for the notification test
  libbenchmark-dev                                # tallyvane-bench
  libical-dev                                     # iCalendar import and export (src/ical); tallyvane-bench's peer
  calcurse                                        # a real peer that reads the iCalendar export in the tests; tallyvane-bench --peers
  remind time                                     # tallyvane-bench --peers: the other peer, and GNU time for peak memory
  libcurl4-openssl-dev                            # HTTP(S) for the CalDAV sync (src/sync)
  libexpat1-dev                                   # the sync's reader of WebDAV multistatus answers
  qtkeychain-qt6-dev                              # the sync password in the desktop's secret store
  radicale python3                                # a real CalDAV server and a misbehaving stub for the sync tests
)
# Only scripts/fuzz.sh asks for these (scripts/deps.sh --fuzz); the tests do not need them.
FUZZ_PACKAGES=(
  clang-14 libclang-rt-14-dev                     # libFuzzer and clang's ASan/UBSan runtimes for the fuzz targets
)
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=("${FUZZ_PACKAGES[@]}")
fi
if [ -n "${TALLYVANE_EXTRA_PACKAGES:-}" ]; then
  # shellcheck disable=SC2206
  PACKAGES+=(${TALLYVANE_EXTRA_PACKAGES})
fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
