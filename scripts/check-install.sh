#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks it as a desktop, a software centre and a
# user would meet it; then builds the Debian package and checks what it holds. Nothing is
# installed into this machine's own folders.
#   scripts/check-install.sh [BUILD_DIR]      default: build (configured with the app and tests)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
id=io.github.tallyvane.Tallyvane
version=$(sed -n 's/^project(Tallyvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tallyvane bin/tallyvane-cli libexec/tallyvane/tallyvane-cli-full share/tallyvane/Sound/Chime.WAV share/tallyvane/help/index.html \
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg" \
  share/man/man1/tallyvane.1.gz share/man/man1/tallyvane-cli.1.gz share/doc/tallyvane/copyright; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  [ -e "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "no ${size}x${size} icon"
done

# What desktops and software centres read.
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

# Both manual pages render without a warning, and the tool's page names every command and
# option its --help shows.
for page in tallyvane tallyvane-cli; do
  MANWIDTH=80 man -l --warnings "$prefix/share/man/man1/$page.1.gz" >"$scratch/$page.txt" 2>"$scratch/man.err"
  [ -s "$scratch/man.err" ] && fail "man $page: $(cat "$scratch/man.err")"
  grep -q "$version" "$scratch/$page.txt" || fail "man $page does not carry version $version"
done
for word in $("$prefix/bin/tallyvane-cli" --help | awk '/^  [a-z-]/ { print $1 }' | sed 's/=.*//'); do
  grep -qE -- "^ +$word( |$)" "$scratch/tallyvane-cli.txt" || fail "man tallyvane-cli does not describe $word"
done

# The installed programs run, and the tool keeps a fresh user's events in the XDG data folder,
# private to the user.
home="$scratch/home"
mkdir -m 700 "$home" "$scratch/run"
run() {
  env -i HOME="$home" XDG_RUNTIME_DIR="$scratch/run" PATH=/usr/bin:/bin LANG=C.UTF-8 TZ=Europe/Berlin \
    QT_QPA_PLATFORM=offscreen "$@"
}
[ "$(run "$prefix/bin/tallyvane" --version)" = "tallyvane $version" ] || fail "tallyvane --version"
[ "$(run "$prefix/bin/tallyvane-cli" --version)" = "tallyvane-cli $version" ] || fail "tallyvane-cli --version"
run XDG_DATA_HOME="$home/data" "$prefix/bin/tallyvane-cli" add --name "Install check" --start "2099-01-01 10:00" >/dev/null
run "$prefix/bin/tallyvane-cli" add --name "Install check" --start "2099-01-01 10:00" >/dev/null
for data in "$home/data/tallyvane" "$home/.local/share/tallyvane"; do
  [ "$(stat -c %a "$data")" = 700 ] || fail "$data is not private"
  [ "$(stat -c %a "$data/Evnt.est")" = 600 ] || fail "$data/Evnt.est is not private"
done
run "$prefix/bin/tallyvane-cli" events | grep -q '"name": "Install check"' || fail "the event is not listed"
# The everyday tool finds the full one for the calendar files, from wherever the prefix is.
run "$prefix/bin/tallyvane-cli" export-ics "$scratch/all.ics" >/dev/null || fail "export-ics"
grep -q '^SUMMARY:Install check' "$scratch/all.ics" || fail "export-ics did not write the event"

# The program finds its shipped sounds and help from where it is installed, with no help from
# XDG_DATA_DIRS: the locator it uses, run from the installed bin folder.
cp "$build/bin/tallyvane-locate-shipped" "$prefix/bin/"
found=$(run XDG_DATA_DIRS=/nonexistent "$prefix/bin/tallyvane-locate-shipped" Sound/Chime.WAV help/index.html)
[ "$found" = "$(printf '%s\n' "$prefix/share/tallyvane/Sound/Chime.WAV" "$prefix/share/tallyvane/help/index.html")" ] ||
  fail "shipped files found at: $found"

# The Debian package holds the same tree under /usr.
(cd "$build" && cpack -G DEB -B "$scratch/deb" >"$scratch/cpack.log" 2>&1) || fail "cpack: $(cat "$scratch/cpack.log")"
deb=$(ls "$scratch"/deb/tallyvane_"$version"-1_*.deb)
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$scratch/deb.txt"
for f in /usr/bin/tallyvane /usr/bin/tallyvane-cli /usr/libexec/tallyvane/tallyvane-cli-full \
  "/usr/share/applications/$id.desktop" \
  /usr/share/tallyvane/Sound/Chime.WAV /usr/share/man/man1/tallyvane-cli.1.gz /usr/share/doc/tallyvane/copyright; do
  grep -qx "$f" "$scratch/deb.txt" || fail "the package lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
# Errors fail; no bug to close is about uploading to Debian itself.
lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb" >"$scratch/lintian.txt" 2>&1 ||
  fail "lintian: $(grep -v '^running with root' "$scratch/lintian.txt")"
echo "install check: $(wc -l <"$scratch/deb.txt") entries in $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"
