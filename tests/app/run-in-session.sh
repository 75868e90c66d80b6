#!/bin/sh
# Runs a test on an X display and a session bus of its own, as in a desktop session; where the
# tools for them are missing, it runs the test as it is (offscreen, its bus checks skipped).
if command -v dbus-run-session >/dev/null 2>&1 && command -v xvfb-run >/dev/null 2>&1; then
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$@"
fi
exec "$@"
