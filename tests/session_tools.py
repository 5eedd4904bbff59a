"""What the sessions share: waiting while the buses deliver, finding and pressing the program's nodes, running it."""

import contextlib
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def check(condition, message):
    if not condition:
        sys.exit(message)


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True, timeout=60).stdout


def poll(get, test=bool, seconds=10):
    """get() once test holds of it, or once the time is up."""
    end = time.monotonic() + seconds
    while True:
        # Lets the accessibility bus deliver what it has.
        while GLib.MainContext.default().iteration(False):
            pass
        value = get()
        if test(value) or time.monotonic() > end:
            return value
        time.sleep(0.02)


def nodes(node):
    for child in node:
        if child is not None:
            yield child
            yield from nodes(child)


def find(test, what=None, seconds=20):
    """The program's first node that passes test, waited for; when none comes,
    None, or the end of the session if what names it."""
    def search():
        apps = [app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == "delvoran"]
        return next((node for app in apps for node in nodes(app) if test(node)), None)
    found = poll(search, lambda node: node is not None, seconds)
    check(found is not None or what is None, f"found no {what}")
    return found


# Roles are compared as AT-SPI's numbers: their names change between
# releases of at-spi2-core ("push button" became "button").
def named(role, name):
    return find(lambda node: node.getRole() == role and node.name == name, f"{role} {name!r}")


def label(pattern):
    return find(lambda node: node.getRole() == pyatspi.ROLE_LABEL and re.fullmatch(pattern, node.name or ""),
                f"label {pattern!r}")


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    check("Press" in names, f"{node.name!r} offers no Press action: {names}")
    # The program installs Qt's own texts in Czech.
    described = actions.getDescription(names.index("Press"))
    check(described == "Spouští činnost", f"the press action is described as {described!r}")
    # The call returns once the program has acted on the press.
    actions.doAction(names.index("Press"))


@contextlib.contextmanager
def running(program="delvoran", **env):
    """The program, with accessibility on, for the length of the block; a variable given None is taken out."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **env)
    process = subprocess.Popen([program], env={name: value for name, value in env.items() if value is not None})
    try:
        yield process
    finally:
        process.terminate()
        process.wait(timeout=10)
