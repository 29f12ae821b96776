#!/bin/sh
# Runs a test on a private X server with a window manager that keeps topmost
# windows on top and decorates windows as a desktop would: openbox, or the one
# named by --wm (icewm draws thicker frames than openbox).
# Usage: with-display.sh [--wm openbox|icewm] PROGRAM [ARGUMENT...]
set -eu
wm=openbox
if [ "${1-}" = --wm ]; then
  wm=$2
  shift 2
fi
case $wm in
  openbox) start="openbox --sm-disable" ;;
  icewm) start="icewm" ;;
  *) echo "with-display.sh: unknown window manager $wm" >&2; exit 2 ;;
esac
exec xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" sh -c '
  $0 >/dev/null 2>&1 &
  wm=$!
  # Wait until the window manager owns the screen, so windows get frames from
  # the start (a busy machine may take seconds to start it).
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  "$@"
  status=$?
  kill $wm 2>/dev/null
  exit $status
' "$start" "$@"
