#!/usr/bin/python3
"""Runs Orca with its debug log written line by line.

orca_debug_log.py PREFS_DIR LOG_FILE

Orca's own launcher opens its debug log with a block buffer, so that what it
spoke reaches the file seconds late, or only at exit; a test that waits for
a spoken line needs each line as it is written. This starts Orca as that
launcher does, with the log line-buffered. It also skips the launcher's
search for other Orcas of the same user: a test's Orca has a D-Bus session
of its own and is no rival of one on another display.

Orca runs without a speech server: it logs each line it speaks before it
hands the line to the server, and a test reads the log. With
speech-dispatcher, a command that failed on a loaded machine left Orca
waiting for the reply of its new connection for good, deaf to every key.
"""

import sys

from orca import debug

prefs, log = sys.argv[1], sys.argv[2]
debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(log, "w", buffering=1)

# After the log is set up, as Orca's launcher does. Orca 45 and later (Debian
# 13) name the settings manager's calls in snake case and want the modules
# its launcher imports loaded in the launcher's order before the rest of
# Orca; Orca 43 (Debian 12) hands the manager out from its main module.
from orca.orca_platform import version  # noqa: E402


def without_speech_server(settings):
    # Before the settings manager takes the settings' defaults.
    settings.speechServerFactory = None
    settings.speechFactoryModules = []


if int(version.split(".")[0]) >= 45:
    from orca import debugging_tools_manager, messages, settings, script_manager  # noqa: E402, F401

    without_speech_server(settings)
    from orca import settings_manager  # noqa: E402

    manager = settings_manager.get_manager()
    manager.activate(prefs, {})
    sys.path.insert(0, manager.get_prefs_dir())
    from orca import orca  # noqa: E402
else:
    from orca import settings  # noqa: E402

    without_speech_server(settings)
    from orca import orca  # noqa: E402

    manager = orca.getSettingsManager()
    manager.activate(prefs, {})
    sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
