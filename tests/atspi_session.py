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

PATTERN = "Hledané slovo, pomlčka je neuhodnuté písmeno"
changed_names = []
patterns_heard = []


def record(event):
    changed_names.append(event.source.name)
    if event.source.description == PATTERN:
        patterns_heard.append(event.source.name)


def wait_for(what, condition, seconds=10):
    """Lets the bus deliver events until the condition holds."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while not condition():
        check(time.monotonic() < end, f"gave up waiting for {what}; heard {changed_names}")
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


def find(app, what, test):
    for node in elements(app):
        if test(node):
            return node
    sys.exit(f"found no {what}")


# Roles are compared as AT-SPI's numbers: their names change between
# releases of at-spi2-core ("push button" became "button").
def named(app, role, name):
    return find(app, f"{role} {name!r}", lambda node: node.getRole() == role and node.name == name)


def label(app, pattern):
    return find(app, f"label {pattern!r}",
                lambda node: node.getRole() == pyatspi.ROLE_LABEL and re.fullmatch(pattern, node.name or ""))


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        sys.exit(f"{node.name!r} offers no Press action: {names}")
    # Qt's own texts are installed in Czech.
    described = actions.getDescription(names.index("Press"))
    check(described == "Spouští činnost", f"the press action is described as {described!r}")
    # The call returns once the program has acted on the press.
    actions.doAction(names.index("Press"))


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def check(condition, message):
    if not condition:
        sys.exit(message)


def stacked_above(top, under):
    """Whether the X window titled top lies above the one titled under."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True).stdout
    order = re.findall(r'^\s+0x[0-9a-f]+ "(.*?)"', tree, re.M)  # top to bottom
    return top in order and under in order and order.index(top) < order.index(under)


def check_about_comes_to_front(about):
    """On X11, where the stacking order can be read: a second "?" brings the
    open About window back in front of the game window."""
    if os.environ.get("QT_QPA_PLATFORM") == "wayland":
        return
    press(about)
    wait_for("the About window", lambda: stacked_above("O programu", "Delvoran"))
    subprocess.run(["xdotool", "search", "--name", "^Delvoran$", "windowraise"], check=True)
    wait_for("the game window raised for the check", lambda: stacked_above("Delvoran", "O programu"))
    press(about)
    wait_for('a second "?" to bring the About window in front', lambda: stacked_above("O programu", "Delvoran"))


def main():
    game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        app = find_app("delvoran")
        frame = find(app, "game window", lambda node: node.name == "Delvoran")
        size = tuple(frame.queryComponent().getSize())
        check(size == (328, 364) and showing(frame), f"the game window is {size}, shown: {showing(frame)}")
        pyatspi.Registry.registerEventListener(record, "object:property-change:accessible-name")
        keys = {letter: named(app, pyatspi.ROLE_PUSH_BUTTON, letter) for letter in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}
        new_word = named(app, pyatspi.ROLE_PUSH_BUTTON, "Vylosovat slovo")
        about = named(app, pyatspi.ROLE_PUSH_BUTTON, "O programu")

        # Covered keys refuse the press.
        press(keys["E"])
        check(showing(keys["E"]), "a key pressed under the keyboard shade went away")

        pattern = find(app, "word pattern", lambda node: node.description == PATTERN)
        # Ten empty slots show before the first word, so a ten-letter word
        # with no E leaves the pattern as it was, and nothing is announced.
        before_word = pattern.name
        press(new_word)
        number = label(app, r"Slovo č\.: \d+")
        wait_for("a word to be drawn", lambda: number.name != "Slovo č.: 0")
        length = int(label(app, r"Délka slova : \d+").name.rsplit(" ", 1)[1])
        # The word's number names its entry, so a failure can be replayed.
        print(f"drawn: {number.name}, {length} letters", flush=True)
        wait_for(f"a pattern of {length} dashes", lambda: pattern.name == " ".join(["-"] * length))

        press(keys["E"])
        wait_for("the first guess", lambda: "Pokusů : 1" in changed_names)
        check(not showing(keys["E"]), "the pressed key is still shown")
        revealed = "E" in pattern.name
        wrong = label(app, r"Špatně : \d").name.endswith("1")
        check(revealed != wrong, f"E neither revealed nor counted wrong: {pattern.name!r}")
        if wrong:
            named(app, pyatspi.ROLE_IMAGE, "Šibenice, fáze 1 z 8: tráva")
        check((pattern.name != before_word) == (pattern.name in patterns_heard), f"after E: heard {patterns_heard}")
        # A changed pattern is heard once, an unchanged one not at all; it is
        # announced before the count of guesses.
        for guesses, letter in enumerate("AIOQX", 2):
            before, heard, since = pattern.name, len(patterns_heard), len(changed_names)
            if "-" not in before:
                break  # won: the keys are covered
            press(keys[letter])
            wait_for(f"guess {guesses}", lambda: f"Pokusů : {guesses}" in changed_names[since:])
            expected = [pattern.name] if pattern.name != before else []
            check(patterns_heard[heard:] == expected, f"after {letter}: heard {patterns_heard[heard:]}")
        check_about_comes_to_front(about)
        print(f"AT-SPI session on {os.environ.get('QT_QPA_PLATFORM', 'xcb')} passed: {number.name}, {pattern.name!r}")
    finally:
        game.terminate()
        game.wait(timeout=10)


main()
