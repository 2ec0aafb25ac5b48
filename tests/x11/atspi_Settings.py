#!/usr/bin/python3
"""The program as a screen reader sees it from outside, through AT-SPI.

atspi_Settings.py PROGRAM

Runs inside a D-Bus session of its own (dbus-run-session) on the shared
virtual display: starts the program, finds it among the accessible
applications, reads a few circles' name, role and description, checks that
the range selector is an editable combo box before it was ever shown,
presses one circle through its accessible action and waits for it to be
reported checked.
"""

import os
import subprocess
import sys

import pyatspi

from checks import check, finish, wait_for

# Name, description of a few circles: a jumper setting, a member of the
# range group and an information spot.
CIRCLES = {
    "External Power": "jumper setting",
    "Output Voltage Range Jumpers": "jumper setting",
    "USB Connector": "information",
    "Signal Lines": "information",
}
PINNED = "USB Connector"


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def buttons_of(app):
    found = {}

    def walk(node, depth):
        if node is None or depth > 12:
            return
        if node.getRole() == pyatspi.ROLE_CHECK_BOX:
            found.setdefault(node.name, node)
        for child in node:
            walk(child, depth + 1)

    walk(app, 0)
    return found


def first_of_role(node, role, depth=0):
    if node is None or depth > 12:
        return None
    if node.getRole() == role:
        return node
    for child in node:
        found = first_of_role(child, role, depth + 1)
        if found is not None:
            return found
    return None


def editable_fields(combo):
    """The children by which a screen reader (Orca) calls a combo box an
    editable one: it must have exactly one."""
    return [c for c in combo if c.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)
            and c.getState().contains(pyatspi.STATE_EDITABLE)]


def all_circles_listed(app):
    buttons = buttons_of(app)
    return buttons if all(name in buttons for name in CIRCLES) else None


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    # Out of the way: a pointer left over a circle by an earlier test would
    # open its popup.
    subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        app = wait_for(60, lambda: find_application("Settings"))
        if not check(app is not None, "no accessible application named Settings appeared"):
            return
        buttons = wait_for(60, lambda: all_circles_listed(app))
        if not check(buttons, "the circles are not all listed: found %s" % sorted(buttons_of(app))):
            return
        for name, description in CIRCLES.items():
            button = buttons[name]
            print("%s: %s, %s" % (name, button.getRoleName(), button.description), flush=True)
            check(button.getRole() == pyatspi.ROLE_CHECK_BOX, "%s: role %r" % (name, button.getRoleName()))
            check(button.description == description, "%s: description %r" % (name, button.description))
            check(not button.getState().contains(pyatspi.STATE_CHECKED), "%s is checked before any use" % name)

        # The range selector, on a panel no popup has shown yet.
        combo = first_of_role(app, pyatspi.ROLE_COMBO_BOX)
        if check(combo is not None, "no combo box is listed"):
            fields = editable_fields(combo)
            print("range selector: %d editable field(s), showing %r" % (len(fields), fields[0].queryText().getText(0, -1) if fields else None), flush=True)
            check(len(fields) == 1, "the range selector is no editable combo box before it is shown")

        circle = buttons[PINNED]
        action = circle.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check(names == ["Press"], "%s offers the actions %s" % (PINNED, names))
        if "Press" in names:
            action.doAction(names.index("Press"))
            pressed = wait_for(30, lambda: circle.getState().contains(pyatspi.STATE_CHECKED))
            check(pressed, "%s is not checked once its popup is pinned" % PINNED)
            popup = wait_for(30, lambda: next((w for w in app if w.name == PINNED), None))
            check(popup is not None, "no window named %s appeared" % PINNED)
    finally:
        program.terminate()
        try:
            program.wait(60)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()


main()
finish()
