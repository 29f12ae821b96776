#!/bin/sh
# Runs a test on a private X server with the openbox window manager, which
# keeps topmost windows on top and decorates windows as a desktop would.
set -eu
exec xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # Wait until openbox owns the screen, so windows get frames from the start.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  "$@"
  status=$?
  kill $wm 2>/dev/null
  exit $status
' sh "$@"
