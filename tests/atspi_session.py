"""Plays a little of a word through the accessibility tree, as a screen-reader
user would: finds the buttons by name, presses them with their actions, and
listens for the captions' changes on the AT-SPI bus.

Run by atspi_session.sh inside a private D-Bus session and X server."""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

changed_names = []


def record(event):
    changed_names.append(event.source.name)


def pump(seconds):
    """Lets the bus deliver events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def find_app(name):
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.05)
    sys.exit(f"{name} never appeared on the accessibility bus")


def elements(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from elements(child)


def find(app, role, name):
    for node in elements(app):
        if node.getRoleName() == role and node.name == name:
            return node
    sys.exit(f"no {role} named {name!r}")


def find_label(app, pattern):
    for node in elements(app):
        if node.getRoleName() == "label" and re.fullmatch(pattern, node.name or ""):
            return node
    sys.exit(f"no label matching {pattern!r}")


def find_described(app, description):
    for node in elements(app):
        if node.description == description:
            return node
    sys.exit(f"nothing described as {description!r}")


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        sys.exit(f"{node.name!r} offers no Press action: {names}")
    actions.doAction(names.index("Press"))
    pump(0.3)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def check(condition, message):
    if not condition:
        sys.exit(message)


def main():
    game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        app = find_app("delvoran")
        pyatspi.Registry.registerEventListener(record, "object:property-change:accessible-name")
        keys = {letter: find(app, "push button", letter) for letter in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}
        new_word = find(app, "push button", "Vylosovat slovo")
        find(app, "push button", "O programu")

        # Covered keys refuse the press.
        press(keys["E"])
        check(showing(keys["E"]), "a key pressed under the keyboard shade went away")

        press(new_word)
        length = int(find_label(app, r"Délka slova : \d+").name.rsplit(" ", 1)[1])
        pattern = find_described(app, "Hledané slovo, pomlčka je neuhodnuté písmeno")
        check(pattern.name == " ".join(["-"] * length), f"pattern {pattern.name!r} for {length} letters")

        press(keys["E"])
        check(not showing(keys["E"]), "the pressed key is still shown")
        find_label(app, r"Pokusů : 1")
        revealed = "E" in pattern.name
        wrong = find_label(app, r"Špatně : \d").name.endswith("1")
        check(revealed != wrong, f"E neither revealed nor counted wrong: {pattern.name!r}")
        if wrong:
            find(app, "image", "Šibenice, fáze 1 z 8: tráva")

        pump(0.5)
        for announced in ("Pokusů : 1", pattern.name):
            check(announced in changed_names, f"{announced!r} was not announced; heard {changed_names}")
        print(f"AT-SPI session passed: {length} letters, pattern {pattern.name!r}")
    finally:
        game.terminate()
        game.wait(timeout=10)


main()
