"""Plays the installed program through a desktop: real pointer clicks and key
shortcuts sent through the desktop, every answer read from the desktop's own
view of the windows (and the word's result from the accessibility tree).

play(desktop, shots_dir) takes a desktop driver (gnome_desktop.GnomeDesktop
or its like: start_program, window, click, key, minimize, move, screenshot,
maximize_shortcut, refusable), prints one "ok: ..." or "FAIL: ..." line a
check ("note: ..." for what is only recorded) and returns how many failed."""

import os
import sys
import time

import pyatspi
from gi.repository import GLib

GAME, ABOUT = "Delvoran", "O programu"
APP_ID = "cz.delvoran.Delvoran"
GAME_SIZE, ABOUT_SIZE = (328, 364), (312, 217)
# Client-area points of the game window: centres of the 32 px "?" picture at
# (160, 160) and of the 64 px new-word picture at (248, 256), an empty spot.
QUESTION, NEW_WORD, EMPTY = (176, 176), (280, 288), (300, 340)
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
# A state that may yet come (a window maximised by a double-click) is waited
# for this long before it counts as not having come.
SETTLE = 3


def letter_centre(index):
    row, column = divmod(index, 13)
    return 8 + 24 * column + 10, 40 + 24 * row + 10


def wait_for(get, test, seconds=10):
    """Polls get() until test(value) holds or the time is up; the last value."""
    end = time.monotonic() + seconds
    while True:
        # Lets the accessibility bus deliver what it has.
        while GLib.MainContext.default().iteration(False):
            pass
        value = get()
        if test(value) or time.monotonic() > end:
            return value
        time.sleep(0.05)


def accessible(name, test, seconds=20):
    """The first node of the program's accessibility tree that passes test."""
    def search():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                stack = [app]
                while stack:
                    node = stack.pop()
                    if node is not None and test(node):
                        return node
                    stack.extend(node or [])
        return None
    return wait_for(search, lambda node: node is not None, seconds)


def play(desktop, shots_dir):
    failed = []
    os.makedirs(shots_dir, exist_ok=True)

    def check(ok, what, seen=""):
        print(("ok: " if ok else "FAIL: ") + what + (f" (seen: {seen})" if seen and not ok else ""), flush=True)
        if not ok:
            failed.append(what)
        return ok

    def shot(name):
        desktop.screenshot(os.path.join(shots_dir, name + ".png"))

    def window(title, test=lambda w: True, seconds=10):
        return wait_for(lambda: desktop.window(title), lambda w: w is not None and test(w), seconds)

    def holds(title, test, what, seen):
        """Checks that the window comes to pass test; seen(w) tells what it was."""
        w = window(title, test)
        return check(w is not None and test(w), what, seen(w) if w else "no such window")

    def click(title, point, double=False):
        x, y = window(title)["client"][:2]
        desktop.click(x + point[0], y + point[1], double)

    def size(w):
        return tuple(w["client"][2:])

    # 1. The window, as the desktop matched it.
    desktop.start_program()
    game = window(GAME, seconds=30)
    if not check(game is not None, f"the game window {GAME!r} appears"):
        return len(failed)
    check(game["app_id"] == APP_ID, f"the desktop matched the game window to {APP_ID}", game["app_id"])
    check(size(game) == GAME_SIZE, f"the game window is {GAME_SIZE}", size(game))
    click(GAME, EMPTY)
    window(GAME, lambda w: w["focused"])
    shot("1-game")

    # 2. Neither a title-bar double-click nor the shortcut maximises it.
    # A third of the way along: clear of the icon, the title and the buttons.
    def on_title_bar():
        frame, client = window(GAME)["frame"], window(GAME)["client"]
        desktop.click(client[0] + GAME_SIZE[0] // 3, (frame[1] + client[1]) // 2, double=True)
    before = window(GAME)
    for name, what, attempt in [
            ("title-bar", "a double-click on the title bar", on_title_bar),
            ("shortcut", f"the shortcut {desktop.maximize_shortcut}", lambda: desktop.key(desktop.maximize_shortcut))]:
        click(GAME, EMPTY)
        window(GAME, lambda w: w["focused"])
        attempt()
        after = window(GAME, lambda w: w["maximized"] or w["frame"] != before["frame"], SETTLE)
        shot("2-after-" + name)
        unchanged = not after["maximized"] and after["frame"] == before["frame"]
        check(unchanged, f"{what} leaves the game window unmaximised, {size(before)}",
              f"maximized={after['maximized']}, frame {after['frame']}")
        if after["maximized"]:
            # Undone the way a user would, so the checks after it still run.
            on_title_bar()
            window(GAME, lambda w: not w["maximized"] and w["frame"] == before["frame"])

    # 3. The actions the desktop offers for each window.
    # Only where a window can take an action away is the desktop's answer
    # the program's doing; elsewhere it is recorded.
    def actions(title, w, minimizable):
        for key, want in [("can_minimize", minimizable), ("can_maximize", False), ("can_resize", False)]:
            if key in desktop.refusable:
                check(w[key] == want, f"the desktop says {title!r} {key} = {want}", w[key])
            else:
                print(f"note: the desktop says {title!r} {key} = {w[key]}; no window can refuse it here", flush=True)
    actions(GAME, window(GAME), True)

    # 5. (before About covers the game) A word played to its end.
    new_word = accessible("delvoran", lambda n: n.name == "Vylosovat slovo")
    result = accessible("delvoran", lambda n: n.description == "Výsledek slova")
    def fresh(node):
        node.clear_cache()
        return node

    def sensitive():
        return fresh(new_word).getState().contains(pyatspi.STATE_SENSITIVE)
    click(GAME, NEW_WORD)
    check(not wait_for(sensitive, lambda s: not s), "a new word starts from the new-word button")
    for index in range(len(LETTERS)):
        click(GAME, letter_centre(index))
    ended = wait_for(lambda: fresh(result).name, lambda name: name in ("Správně", "Špatně"))
    check(ended in ("Správně", "Špatně") and sensitive(), "the word ends after clicking A to Z", repr(ended))
    shot("5-word-played")

    # 4. "?" brings About forward, also from minimised.
    click(GAME, QUESTION)
    about = window(ABOUT)
    if not check(about is not None, f"'?' opens {ABOUT!r}"):
        return len(failed)
    check(size(about) == ABOUT_SIZE, f"the About window is {ABOUT_SIZE}", size(about))
    actions(ABOUT, about, False)
    # Placed over the game window, About would take the clicks meant for "?".
    frame = window(GAME)["frame"]
    spot = (frame[0] + frame[2] + 16, frame[1])
    desktop.move(ABOUT, *spot)
    holds(ABOUT, lambda w: tuple(w["frame"][:2]) == spot, f"the desktop moves About aside, to {spot}",
          lambda w: w["frame"])
    shot("4-about")
    focus = lambda w: f"focused={w['focused']}, minimized={w['minimized']}"  # noqa: E731
    click(GAME, EMPTY)
    holds(GAME, lambda w: w["focused"], "a click on the game window focuses it", focus)
    holds(ABOUT, lambda w: not w["focused"], "a click on the game window leaves About unfocused", focus)
    click(GAME, QUESTION)
    holds(ABOUT, lambda w: w["focused"], "'?' focuses the unfocused About window", focus)
    shot("4-about-again")
    desktop.minimize(ABOUT)
    if not window(ABOUT, lambda w: w["minimized"], SETTLE)["minimized"]:
        # A desktop that honours the window's close-only frame refuses.
        check(not about["can_minimize"], "the desktop minimises About where it offers to", focus(about))
        return len(failed)
    click(GAME, QUESTION)
    holds(ABOUT, lambda w: not w["minimized"] and w["focused"],
          "'?' restores and focuses the minimised About window", focus)
    shot("4-about-from-minimised")
    return len(failed)


def main(desktop, shots_dir):
    """Plays, stops the program and exits 1 when a check failed."""
    try:
        failed = play(desktop, shots_dir)
    finally:
        desktop.stop()
    sys.exit(1 if failed else 0)
