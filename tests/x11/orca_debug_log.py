#!/usr/bin/python3
"""Runs Orca with its debug log written line by line.

orca_debug_log.py PREFS_DIR LOG_FILE

Orca's own launcher opens its debug log with a block buffer, so that what it
spoke reaches the file seconds late, or only at exit; a test that waits for
a spoken line needs each line as it is written. This starts Orca as that
launcher does, with the log line-buffered. It also skips the launcher's
search for other Orcas of the same user: a test's Orca has a D-Bus session
of its own and is no rival of one on another display.
"""

import sys

from orca import debug

prefs, log = sys.argv[1], sys.argv[2]
debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(log, "w", buffering=1)

from orca import orca  # noqa: E402  (after the log is set up, as Orca does)

manager = orca.getSettingsManager()
manager.activate(prefs, {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
