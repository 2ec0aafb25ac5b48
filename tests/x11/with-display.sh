#!/usr/bin/env bash
# Runs a test program on the shared virtual display:
# with-display.sh STATE_DIR PROGRAM [ARGUMENTS...]
# The window manager's process id is passed on for tests that hold it back.
set -euo pipefail
DISPLAY="$(cat "$1/display")"
read -r _ TEST_WINDOW_MANAGER_PID < "$1/pids"
export DISPLAY TEST_WINDOW_MANAGER_PID
shift
exec "$@"
