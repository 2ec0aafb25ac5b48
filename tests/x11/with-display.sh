#!/usr/bin/env bash
# Runs a test program on the shared virtual display:
# with-display.sh STATE_DIR PROGRAM [ARGUMENTS...]
# The window manager's process id is passed on for tests that hold it back.
set -euo pipefail
DISPLAY="$(cat "$1/display")"
read -r _ TEST_WINDOW_MANAGER_PID < "$1/pids"
export DISPLAY TEST_WINDOW_MANAGER_PID
# A test that holds the window manager back and is killed on its timeout
# leaves it stopped, and every test after it would wait for it in vain.
kill -CONT "$TEST_WINDOW_MANAGER_PID" 2>/dev/null || true
shift
exec "$@"
