"""Presses buttons of a running program through the accessibility bus, the
only input a headless Weston takes from outside.

Usage: press.py APPLICATION BUTTON...   (each button by its accessible name)"""

import sys
import time

import pyatspi


def application(name):
    for _ in range(400):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.05)
    sys.exit(f"{name} never appeared on the accessibility bus")


def button(node, name):
    for child in node:
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and child.name == name:
            return child
        found = button(child, name)
        if found:
            return found
    return None


app = application(sys.argv[1])
for name in sys.argv[2:]:
    found = button(app, name) or sys.exit(f"no button {name!r}")
    found.queryAction().doAction(0)
