"""What the Python tests of the real-window group share: checks counted for
their closing line, and waits on conditions on a shared, loaded machine."""

import sys
import time

failures = []
passes = []


def check(condition, message):
    (passes if condition else failures).append(message)
    if not condition:
        print("FAIL: " + message, flush=True)
    return condition


def wait_for(deadline_s, probe):
    """Calls probe until it returns something true or the deadline passes."""
    end = time.monotonic() + deadline_s
    while True:
        try:
            found = probe()
        except Exception:  # an accessible tree may change under a query: ask again
            found = None
            if time.monotonic() >= end:
                raise
        if found or time.monotonic() >= end:
            return found
        time.sleep(0.05)


def finish():
    print("%d passed, %d failed" % (len(passes), len(failures)))
    sys.exit(1 if failures else 0)
