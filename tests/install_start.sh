#!/usr/bin/env bash
# Starts the installed program PREFIX/bin/yurana on the current X display and prints how
# many of its top-level windows are up once it has settled: 1 (the frame) when it started
# cleanly, 2 when a message box came up beside it. Run under xvfb-run.
set -euo pipefail
program=$1/bin/yurana
export QT_QPA_PLATFORM=xcb  # the suite runs offscreen; this check reads the X server
windows() { xwininfo -root -tree | grep -c '("yurana" "yurana")' || true; }

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ "$(windows)" -ge 1 ] && break
    sleep 0.1
done
sleep 2  # the first frame, and any message after it
windows
