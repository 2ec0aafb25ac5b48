#!/usr/bin/env bash
# Runs a test program on the shared virtual display: with-display.sh STATE_DIR PROGRAM
set -euo pipefail
DISPLAY="$(cat "$1/display")"
export DISPLAY
exec "$2"
