#!/usr/bin/env bash
# Times tallyvane-cli sync against a local Radicale: the first sync that sends N events, the
# first sync of a second data folder that receives them, and a sync with nothing changed.
# usage: bench/sync-timing.sh [BUILD_DIR] [EVENTS]
set -euo pipefail
build=${1:-build}
events=${2:-1000}
bin=$build/bin
[ -x "$bin/tallyvane-cli" ] && [ -x "$bin/tallyvane-bench" ] || { echo "build $bin/tallyvane-cli and $bin/tallyvane-bench first"; exit 1; }
command -v radicale >/dev/null || { echo "needs radicale (apt-get install -y radicale)"; exit 1; }

work=$(mktemp -d)
server=
trap 'kill ${server:-} 2>/dev/null; wait ${server:-} 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/a" "$work/b" "$work/storage/collection-root/alice/cal"
echo '{"tag": "VCALENDAR"}' > "$work/storage/collection-root/alice/cal/.Radicale.props"
echo 'alice:secret' > "$work/htpasswd"
echo secret > "$work/password"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
radicale --config "" --server-hosts "127.0.0.1:$port" --storage-filesystem-folder "$work/storage" \
  --auth-type htpasswd --auth-htpasswd-filename "$work/htpasswd" --auth-htpasswd-encryption plain \
  --rights-type owner_only --logging-level warning >"$work/radicale.log" 2>&1 &
server=$!
for _ in $(seq 200); do (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null && break; sleep 0.05; done
"$bin/tallyvane-bench" --make-data-folder "$work/a" "$events" >/dev/null
export XDG_CONFIG_HOME=$work/config

sync() {  # prints the seconds one sync of data folder $1 took
  local start end
  start=$(date +%s.%N)
  "$bin/tallyvane-cli" --data-dir "$1" sync --url "http://127.0.0.1:$port/alice/cal/" --user alice \
    --password-file "$work/password" >"$work/last.log" 2>&1 || { cat "$work/last.log"; exit 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }

echo "first sync, sending $events events:    $(sync "$work/a") s   ($(cat "$work/last.log"))"
echo "first sync, receiving $events events:  $(sync "$work/b") s   ($(cat "$work/last.log"))"
sync "$work/b" >/dev/null  # takes the server's token for what the first syncs listed
echo "nothing changed (median of 5):        $(median $(for _ in 1 2 3 4 5; do sync "$work/b"; done)) s"
