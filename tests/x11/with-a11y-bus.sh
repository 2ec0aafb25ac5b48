#!/usr/bin/env bash
# Runs a program as a screen reader's session has it: inside a D-Bus session
# of its own with the accessibility bus already started, which Qt's bridge
# looks for as the program starts: with-a11y-bus.sh PROGRAM [ARGUMENTS...]
# Called inside dbus-run-session (it starts itself there when it is not).
set -euo pipefail
if [ -z "${SETUP_A11Y_SESSION:-}" ]; then
  SETUP_A11Y_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
# The bus launcher leaves the address of its bus on the display's root
# window; one left by an earlier session on this shared display is stale.
xprop -root -remove AT_SPI_BUS 2>/dev/null || true
status=0
if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null; then
  "$@" || status=$?
else
  echo "The accessibility bus did not start in the D-Bus session (is at-spi2-core installed?)." >&2
  status=1
fi
xprop -root -remove AT_SPI_BUS 2>/dev/null || true
exit "$status"
