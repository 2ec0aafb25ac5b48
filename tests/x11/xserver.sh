#!/usr/bin/env bash
# Starts or stops the virtual X server and window manager that the real-window
# tests share: xserver.sh start|stop STATE_DIR
set -uo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
state="$2"
case "$1" in
start)
  mkdir -p "$state"
  [ -f "$state/pids" ] && kill $(cat "$state/pids") 2>/dev/null
  start_virtual_display || { stop_virtual_display; exit 1; }
  echo "$DISPLAY" > "$state/display"
  echo "$XVFB_PID $WM_PID" > "$state/pids"
  disown -a
  ;;
stop)
  [ -f "$state/pids" ] && kill $(cat "$state/pids") 2>/dev/null
  rm -f "$state/pids" "$state/display"
  ;;
esac
exit 0
