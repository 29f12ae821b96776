#!/bin/sh
# Runs a test on a private X server with a window manager that keeps topmost
# windows on top and decorates windows as a desktop would: openbox, or the one
# named by --wm (icewm draws thicker frames than openbox; KWin, KDE's, keeps
# new windows from taking the activation).
# Usage: with-display.sh [--wm openbox|icewm|kwin] PROGRAM [ARGUMENT...]
set -eu
wm=openbox
if [ "${1-}" = --wm ]; then
  wm=$2
  shift 2
fi
case $wm in
  openbox) start="openbox --sm-disable" ;;
  icewm) start="icewm" ;;
  kwin) start="kwin_x11" ;;
  *) echo "with-display.sh: unknown window manager $wm" >&2; exit 2 ;;
esac
# -noreset: by default the server starts afresh whenever its last client
# leaves, and drops every connection still being set up. Each check below is
# such a client; on a busy machine the window manager's own connection was
# often still being set up when one left, and the dropped connection killed the
# window manager by SIGPIPE without a word.
# Display numbers are searched from a point that depends on this process, so
# tests started together (ctest -j) do not all race for the same first number.
exec xvfb-run -n $((100 + $$ % 400)) -a \
  -s "-screen 0 1600x1000x24 -nolisten tcp -noreset" sh -c '
  # What the window manager says goes to a file, shown if it does not come up.
  said=$(mktemp)
  trap "rm -f \"\$said\"" EXIT
  $0 >"$said" 2>&1 &
  wm=$!
  # Wait until the window manager owns the screen, so windows get frames from
  # the start (a busy machine may take seconds to start it). Without one every
  # check of frames, stacking and activation would fail for a reason the test
  # cannot name, so say it here instead.
  managed=no
  for _ in $(seq 300); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
      managed=yes
      break
    fi
    if ! kill -0 $wm 2>/dev/null; then
      wait $wm && status=0 || status=$?
      echo "with-display.sh: $0 ended with status $status before managing the screen" >&2
      cat "$said" >&2
      exit 1
    fi
    sleep 0.1
  done
  if [ $managed = no ]; then
    echo "with-display.sh: $0 did not manage the screen within 30 s" >&2
    cat "$said" >&2
    kill $wm 2>/dev/null
    exit 1
  fi
  "$@"
  status=$?
  kill $wm 2>/dev/null
  exit $status
' "$start" "$@"
