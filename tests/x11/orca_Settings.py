#!/usr/bin/python3
"""What a screen-reader user hears: the page walked with keys under Orca.

orca_Settings.py PROGRAM

Runs inside a D-Bus session of its own with the accessibility bus
(with-a11y-bus.sh) on the shared virtual display. Starts Orca with its
debug log and without a speech server, then the program;
presses keys as a user would and, at each step, waits for the lines Orca
speaks (its log's SPEECH OUTPUT lines) and checks them.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from checks import check, failures, finish, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))
# How long a step may wait for its words on a shared, loaded machine, and
# how long Orca may take to come up there.
DEADLINE_S = 30
START_DEADLINE_S = 120


class ScreenReader:
    """Orca in a home of their own."""

    # A spoken text may run over several lines of the log.
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*[\[{]", re.S)

    def __init__(self, root):
        self.root = root
        home = os.path.join(root, "home")
        runtime = os.path.join(root, "runtime")
        prefs = os.path.join(root, "orca")
        os.makedirs(prefs)
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"))
        self.log = os.path.join(root, "orca.log")
        self.orca = subprocess.Popen([sys.executable, os.path.join(HERE, "orca_debug_log.py"), prefs, self.log],
                                     env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.read = 0

    def spoken(self):
        try:
            with open(self.log, errors="replace") as f:
                return [m.group(1) for m in self.SPOKEN.finditer(f.read())]
        except FileNotFoundError:
            return []

    def keys_handled(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read().count("^^^^^ PROCESS ATSPI_KEY_")
        except FileNotFoundError:
            return 0

    def mark(self):
        self.read = len(self.spoken())

    def heard_since_mark(self):
        return self.spoken()[self.read:]

    def stop(self):
        if self.orca.poll() is None:
            self.orca.terminate()
        try:
            self.orca.wait(20)
        except subprocess.TimeoutExpired:
            self.orca.kill()
            self.orca.wait()


def press(reader, keys):
    """Presses keys ("alt+h" and the like) one key at a time, each once Orca
    has dealt with the one before: Qt hands each key to the screen reader
    first and, when no answer comes within 100 ms (a busy Orca), delivers
    it itself, so that keys sent together can reach the program out of
    order (Alt let go before the h of Alt+H, say). The window manager's
    own keys (Alt+Tab) never reach Orca: they go at once."""
    if keys == "alt+Tab":
        subprocess.run(["xdotool", "key", keys], check=True)
        return
    *modifiers, last = keys.split("+")
    actions = [["keydown", m] for m in modifiers] + [["key", last]] + [["keyup", m] for m in reversed(modifiers)]
    for action in actions:
        before = reader.keys_handled()
        subprocess.run(["xdotool"] + action, check=True)
        # A key that the program takes as a shortcut reaches Orca only as
        # it is let go: one event to wait for is enough.
        wait_for(DEADLINE_S, lambda: reader.keys_handled() > before)


# The walk: the keys pressed, and words that Orca must speak after them, each
# within one spoken line, in order, among whatever else it says (a line late
# from one step may be heard in the next).
WALK = [
    ([], ["Instructions for Settings utility dialog How to use this program", "Start push button"]),
    # Start: External Power opens pinned, read from its text.
    (["Return"], ["External Power dialog The USB-QT30-5E requires", "read only text",
                  "The USB-QT30-5E requires +5V"]),
    (["Down"], ["There are two possible methods for providing the +5V power"]),
    (["Tab"], ["VUSB: +5V from the USB bus image", "jumper; Space moves the cap"]),
    (["space"], ["VEXT: +5V from the external adapter image"]),
    (["Tab"], ["USB Bus Powered", "not selected radio button"]),
    # A jumper moved by another control is a notification.
    (["space"], ["notification VUSB: +5V from the USB bus"]),
    (["Tab"], ["Previous push button"]),
    (["Tab"], ["Next push button"]),
    (["Tab"], ["Done push button"]),
    (["Tab"], ["read only text"]),
    (["Escape"], ["External Power check box not checked", "jumper setting"]),
    # Over the circles: the eight channel circles are one stop.
    (["Tab"], ["DAC Power check box not checked"]),
    (["Tab"], ["Output Voltage Range Jumpers check box not checked"]),
    (["Tab"], ["USB Connector check box not checked", "information"]),
    (["shift+Tab"], ["Output Voltage Range Jumpers check box not checked"]),
    (["Return"], ["Output Voltage Range Jumpers dialog Use the jumpers to select the range", "read only text"]),
    # Back in the main window, the pinned circle is heard checked.
    (["alt+Tab"], ["Output Voltage Range Jumpers check box checked"]),
    # A popup keeps off the taskbar, and so off openbox's Alt+Tab list: Enter
    # on its circle takes the user back to it.
    (["Return"], ["Output Voltage Range Jumpers dialog"]),
    (["Tab"], ["span 10V image"]),
    (["Tab"], ["unipolar image"]),
    (["Tab"], ["0 to 10V editable combo box"]),
    (["Down"], ["-2.5 to 2.5V", "notification span 2.5V", "notification bipolar"]),
    (["shift+Tab"], ["bipolar image"]),
    (["space"], ["unipolar image"]),
    (["Escape"], ["Output Voltage Range Jumpers check box not checked"]),
    (["alt+h"], ["How to use this program"]),
    (["t"], ["Technical Support dialog", "Close push button"]),
    (["Tab"], ["read only text", "There are several ways to get technical support"]),
    (["Down"], ["fastest is to skim"]),
    (["Escape"], ["Output Voltage Range Jumpers check box"]),
    (["alt+f"], ["Exit"]),
]


def said_alike(text):
    # Orca 48 (Debian 13) calls a push button a "button", as AT-SPI 2.56
    # names the role; Orca 43 (Debian 12) says "push button".
    return text.replace("push button", "button")


def heard_in_order(lines, words):
    # The words are looked for in order in everything said since the step
    # began, taken as one text: Orca 48 may speak a control's name and
    # description as one line where Orca 43 speaks two, and a notification's
    # kind and its words as two where Orca 43 speaks one.
    text = " ".join(said_alike(line) for line in lines)
    offset = 0
    for w in words:
        at = text.find(said_alike(w), offset)
        if at < 0:
            return False
        offset = at + len(said_alike(w))
    return True


def main():
    root = tempfile.mkdtemp(prefix="orca-")
    reader = ScreenReader(root)
    program = None
    try:
        began = time.monotonic()
        wait_for(START_DEADLINE_S, lambda: reader.spoken() or reader.orca.poll() is not None)
        print("Orca up after %.1f s" % (time.monotonic() - began), flush=True)
        if not check(reader.spoken() and reader.orca.poll() is None, "Orca did not start (log: %s)" % reader.log):
            return
        # Out of the way: a pointer over a circle would open its popup.
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
        reader.mark()
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        program = subprocess.Popen([sys.argv[1]], env=env)
        for keys, words in WALK:
            if keys:
                reader.mark()
                press(reader, keys[0])
            heard = wait_for(DEADLINE_S, lambda: heard_in_order(reader.heard_since_mark(), words))
            lines = reader.heard_since_mark()
            print("%-10s %s" % (" ".join(keys) or "start", " / ".join(lines)), flush=True)
            if not check(heard, "after %s Orca did not say %s" % (keys or "start", words)):
                return
        # The program ends on the key: nothing to wait for but its end.
        subprocess.run(["xdotool", "key", "e"], check=True)
        try:
            program.wait(DEADLINE_S)
        except subprocess.TimeoutExpired:
            pass
        check(program.poll() == 0, "File, Exit did not end the program (%s)" % program.poll())
    finally:
        if program and program.poll() is None:
            program.terminate()
            program.wait(30)
        reader.stop()
        if failures or os.environ.get("ORCA_KEEP_LOG"):
            print("Orca's log: " + reader.log)
        else:
            shutil.rmtree(root, ignore_errors=True)


main()
finish()
