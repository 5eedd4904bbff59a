"""Plays a little of a word through the accessibility tree, as a screen-reader
user would: finds the buttons by name, presses them with their actions, and
listens on the AT-SPI bus for the messages that tell each step.

Run by atspi_session.sh inside a private D-Bus session and X server."""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

announced = []
x11 = os.environ.get("QT_QPA_PLATFORM") != "wayland"


# A message told: an announcement (from Qt 6.8 on), or a notification shown.
def record_told(event):
    if event.type.startswith("object:announcement"):
        announced.append(event.any_data)
    elif event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        announced.append(event.source.name)


def wait_for(what, condition, seconds=10):
    """Lets the bus deliver events until the condition holds."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while not condition():
        check(time.monotonic() < end, f"gave up waiting for {what}; told {announced}")
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


def check_read_once(app, length):
    """Nothing a review reads (an element shown, with a size and a name) lies over
    the word's slots, so the word is read once; nor is a message told read again."""
    found = [(node.name, box.x, box.y, box.x + box.width, box.y + box.height) for node in elements(app)
             for box in [node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)]
             if showing(node) and node.name and box.width and box.height and not node.childCount]
    slots = [box for box in found if box[0] == "-"]
    over = [box for box in found for slot in slots if box != slot and box[1] < slot[3] and slot[1] < box[3]
            and box[2] < slot[4] and slot[2] < box[4]]
    again = [box for box in found if box[0] in announced]
    check(len(slots) == length and not over + again, f"{len(slots)} slots of {length}; over them {over}; {again}")


def check(condition, message):
    if not condition:
        sys.exit(message)


def x_windows():
    """The X windows' titles and ids, from the top of the stack down."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True).stdout
    return {title: window for window, title in re.findall(r'^\s+(0x[0-9a-f]+) "(.*?)"', tree, re.M)}


def stacked_above(top, under):
    """Whether the X window titled top lies above the one titled under."""
    order = list(x_windows())
    return top in order and under in order and order.index(top) < order.index(under)


def check_about_comes_to_front(about):
    """A second "?" brings the open About window back in front of the game window."""
    wait_for("the About window", lambda: stacked_above("O programu", "Delvoran"))
    subprocess.run(["xdotool", "search", "--name", "^Delvoran$", "windowraise"], check=True)
    wait_for("the game window raised for the check", lambda: stacked_above("Delvoran", "O programu"))
    press(about)
    wait_for('a second "?" to bring the About window in front', lambda: stacked_above("O programu", "Delvoran"))


def motif(given, value, bits):
    """The names of the Motif functions or decorations a window manager grants:
    all of them when the field is not given, and with its ALL bit set all but
    those listed."""
    if not given:
        return set(bits)
    listed = {name for name, bit in bits.items() if value & bit}
    return set(bits) - listed if value & 1 else listed


def window_manager_hints(window):
    """What a window manager reads of the X window: its size limits, its Motif
    functions and buttons, its type and the window it belongs to."""
    text = subprocess.run(["xprop", "-id", window, "WM_NORMAL_HINTS", "_MOTIF_WM_HINTS", "_NET_WM_WINDOW_TYPE",
                           "WM_TRANSIENT_FOR"], capture_output=True, text=True, check=True).stdout
    found = re.search(r"^_MOTIF_WM_HINTS\(\w+\) = (.*)", text, re.M)
    flags, functions, decorations = [int(value, 0) for value in found[1].split(",")][:3] if found else [0, 0, 0]
    # Qt offers Motif's resizing to every window and leaves a fixed size to
    # WM_NORMAL_HINTS, which window managers honour: of Motif's hints only the
    # buttons are read.
    return {"size limits": re.findall(r"program specified m\w+ size: (\d+ by \d+)", text),
            "functions": motif(flags & 1, functions, {"minimise": 8, "maximise": 16, "close": 32}),
            "buttons": motif(flags & 2, decorations, {"minimise": 32, "maximise": 64}),
            "type": re.findall(r"_NET_WM_WINDOW_TYPE_(\w+)", text),
            "transient for": re.findall(r"WM_TRANSIENT_FOR\(WINDOW\): window id # (\w+)", text)}


def check_window_manager_hints():
    """The game window can be minimised and closed, the About window, which
    belongs to it, only closed; neither can grow."""
    windows = x_windows()
    expected = {"Delvoran": {"size limits": ["328 by 364"] * 2, "functions": {"minimise", "close"},
                             "buttons": {"minimise"}, "type": ["NORMAL"], "transient for": []},
                "O programu": {"size limits": ["312 by 217"] * 2, "functions": {"close"}, "buttons": set(),
                               "type": ["UTILITY", "NORMAL"], "transient for": [windows["Delvoran"]]}}
    for title, hints in expected.items():
        told = window_manager_hints(windows[title])
        check(told == hints, f"the window manager is told of {title!r}: {told}")


def check_clock(app):
    """The word's clock counts a second a second. It is read as soon as it
    ticks, so that no tick is due at a reading: the whole seconds counted
    between two readings then differ from the time between them only by how
    late each tick was seen, far less than a second even on a busy machine."""
    clock = label(app, r"Čas slova : \d+:\d+:\d+")

    def tick(last):
        wait_for("the word's clock to tick", lambda: clock.name != last, 3)
        h, m, s = map(int, clock.name.rsplit(" ", 1)[1].split(":"))
        return (h * 60 + m) * 60 + s, time.monotonic()

    first, start = tick(clock.name)
    time.sleep(2.5)
    last, end = tick(clock.name)
    check(abs(last - first - (end - start)) < 1, f"the word's clock counted {last - first} s in {end - start:.2f} s")


def session(checks):
    """Runs the checks on the program, started with accessibility on."""
    game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        checks(find_app("delvoran"))
    finally:
        game.terminate()
        game.wait(timeout=10)


def checks(app):
    # A frame, as screen readers read a title only from a frame, window or dialog.
    frame = named(app, pyatspi.ROLE_FRAME, "Delvoran")
    size = tuple(frame.queryComponent().getSize())
    # On Wayland the window draws its own 26-pixel title bar above the layout.
    check(size == (328, 364 if x11 else 390) and showing(frame), f"the game window is {size}, shown: {showing(frame)}")
    pyatspi.Registry.registerEventListener(record_told, "object:state-changed:showing", "object:announcement")
    keys = {letter: named(app, pyatspi.ROLE_PUSH_BUTTON, letter) for letter in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}
    new_word = named(app, pyatspi.ROLE_PUSH_BUTTON, "Vylosovat slovo")
    about = named(app, pyatspi.ROLE_PUSH_BUTTON, "O programu")

    # Covered keys refuse the press, and nothing is told.
    press(keys["E"])
    check(showing(keys["E"]) and not announced, f"a key pressed under the shade went away or told {announced}")

    press(new_word)
    number = label(app, r"Slovo č\.: \d+").name
    length = int(label(app, r"Délka slova : \d+").name.rsplit(" ", 1)[1])
    # The word's number names its entry, so a failure can be replayed.
    print(f"drawn: {number}, {length} letters", flush=True)
    wait_for("the new word to be told", lambda: announced)
    check(len(announced) == 1 and announced[0].endswith(" ".join(["-"] * length)),
          f"a new word of {length} letters told {announced}")
    check_read_once(app, length)
    if x11:
        check_clock(app)

    press(keys["E"])
    wait_for("the first guess to be told", lambda: len(announced) > 1)
    check(not showing(keys["E"]), "the pressed key is still shown")
    revealed = announced[-1].startswith("E je ve slově")
    wrong = label(app, r"Špatně : \d").name.endswith("1")
    check(revealed != wrong, f"E neither revealed nor counted wrong: {announced[-1]!r}")
    if wrong:
        named(app, pyatspi.ROLE_IMAGE, "Šibenice, fáze 1 z 8: tráva")

    # Each letter the keys take is told once; a key under the shade after
    # the word's end takes none and tells nothing, which the next letter's
    # count shows, as the bus delivers in order.
    for letter in "AIOQX":
        heard = len(announced)
        press(keys[letter])
        taken = not showing(keys[letter])
        if taken:
            wait_for(f"{letter} to be told", lambda: len(announced) > heard)
        told = announced[heard:]
        check(len(told) == taken and all(said.startswith(f"{letter} ") for said in told),
              f"after {letter}: told {told}")
    press(about)
    wait_for("the About window as a frame",
             lambda: any(node.getRole() == pyatspi.ROLE_FRAME and node.name == "O programu" for node in app))
    if x11:
        check_about_comes_to_front(about)
        check_window_manager_hints()
    print(f"AT-SPI session on {os.environ.get('QT_QPA_PLATFORM', 'xcb')} passed: {number}, {length} letters")


if __name__ == "__main__":
    session(checks)
