"""atspi_session.py PROGRAM DICTIONARY_SOURCE, run by atspi_session.sh: wins a word and loses one as a screen-reader
user would, and checks each step's message as the bus tells it, or with Orca listening, as Orca says it."""

import contextlib
import os
import re
import subprocess
import sys
import time

import pyatspi
from guess_chooser import answers as dictionary_answers, choose, key_of
from session_tools import check, find, label, named, nodes, poll, press, run, running, showing

speech_log = os.environ.get("DELVORAN_SPEECH_LOG")  # set where Orca listens
x11 = os.environ.get("QT_QPA_PLATFORM") != "wayland"
told = []  # the messages the bus told
heard = 0  # how many of them, or how much of Orca's speech, the steps so far have heard


# A message told: an announcement (from Qt 6.8 on), or a notification shown.
def record_told(event):
    if event.type.startswith("object:announcement"):
        told.append(event.any_data)
    elif event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        told.append(event.source.name)


def speech():
    with open(speech_log, encoding="utf-8", errors="replace") as log:
        return log.read()


def expect(step, message, seconds=20):
    """Waits for a step's message: told once and alone on the bus, or said by Orca, sentence by sentence."""
    global heard
    if speech_log:
        parts = message.split(". ")
        said = poll(lambda: " ".join(speech()[heard:].split()), lambda said: all(part in said for part in parts),
                    seconds)
        check(all(part in said for part in parts), f"after {step} Orca said {said!r}, not all of {parts}")
        heard = len(speech())
    else:
        said = poll(lambda: told[heard:], seconds=seconds)
        check(said == [message], f"after {step} the bus told {said}, not {message!r}")
        heard = len(told)
    print(f"{step}: {said}", flush=True)


def new_word(answers):
    """Draws a word; returns it."""
    press(named(pyatspi.ROLE_PUSH_BUTTON, "Vylosovat slovo"))
    number = label(r"Slovo č\.: \d+").name
    # The word's number names its entry, so a failure can be replayed.
    print(f"drawn: {number}", flush=True)
    word = answers[100 + int(number.rsplit(" ", 1)[1])]
    clue = find(lambda node: node.description == "Nápověda", "clue").name
    expect("new word", f"{clue} Délka slova : {len(word)}. {' '.join('-' * len(word))}")
    return word


def guess(word, win):
    """Plays the word to a win or to a loss."""
    keys = [key_of(letter) for letter in word]
    letters = choose(word, win)
    for n, letter in enumerate(letters, 1):
        key = named(pyatspi.ROLE_PUSH_BUTTON, letter)
        press(key)
        wrong = sum(pressed not in keys for pressed in letters[:n])
        slots = " ".join(shown if base in letters[:n] else "-" for shown, base in zip(word, keys))
        message = f"{letter} {'je' if letter in keys else 'není'} ve slově. {slots}"
        if letter not in keys:
            message += f". Špatně : {wrong} z 8"
        if n == len(letters):
            message += f". Výsledek slova : {'Správně' if win else 'Špatně'}"
        expect(f"letter {letter}", message)
        check(not showing(key), f"the pressed key {letter} is still shown")


def check_read_once(window, length):
    """No element a review reads lies over the word's slots, so the word is read once; nor is a message told."""
    found = [(node.name, box.x, box.y, box.x + box.width, box.y + box.height) for node in nodes(window)
             for box in [node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)]
             if showing(node) and node.name and box.width and box.height and not node.childCount]
    slots = [box for box in found if box[0] == "-"]
    over = [box for box in found for slot in slots if box != slot and box[1] < slot[3] and slot[1] < box[3]
            and box[2] < slot[4] and slot[2] < box[4]]
    again = [box for box in found if box[0] in told]
    check(len(slots) == length and not over + again, f"{len(slots)} slots of {length}; over them {over}; {again}")


def check_clock():
    """The word's clock counts a second a second. It is read as soon as it
    ticks, so that no tick is due at a reading: the whole seconds counted
    between two readings then differ from the time between them only by how
    late each tick was seen, far less than a second even on a busy machine."""
    clock = label(r"Čas slova : \d+:\d+:\d+")

    def tick(last):
        check(poll(lambda: clock.name != last, seconds=3), "the word's clock did not tick")
        h, m, s = map(int, clock.name.rsplit(" ", 1)[1].split(":"))
        return (h * 60 + m) * 60 + s, time.monotonic()

    first, start = tick(clock.name)
    time.sleep(2.5)
    last, end = tick(clock.name)
    check(abs(last - first - (end - start)) < 1, f"the word's clock counted {last - first} s in {end - start:.2f} s")


def x_windows():
    """The X windows' ids by their titles, from the top of the stack down."""
    return {title: window for window, title in re.findall(r'^\s+(0x[0-9a-f]+) "(.*?)"',
                                                          run("xwininfo", "-root", "-children"), re.M)}


def stacked_above(top, under):
    order = list(x_windows())
    return top in order and under in order and order.index(top) < order.index(under)


def check_about_comes_to_front(about):
    """A second "?" brings the open About window back in front of the game window."""
    check(poll(lambda: stacked_above("O programu", "Delvoran")), "the About window is not in front")
    run("xdotool", "search", "--name", "^Delvoran$", "windowraise")
    check(poll(lambda: stacked_above("Delvoran", "O programu")), "the game window was not raised for the check")
    press(about)
    check(poll(lambda: stacked_above("O programu", "Delvoran")), 'a second "?" left the About window behind')


def motif(given, value, bits):
    """The Motif functions or decorations granted: all if not given, all but those listed if ALL is set."""
    if not given:
        return set(bits)
    listed = {name for name, bit in bits.items() if value & bit}
    return set(bits) - listed if value & 1 else listed


def window_manager_hints(window):
    text = run("xprop", "-id", window, "WM_NORMAL_HINTS", "_MOTIF_WM_HINTS", "_NET_WM_WINDOW_TYPE", "WM_TRANSIENT_FOR")
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
    """The game window can be minimised and closed, About, which belongs to it, only closed; neither can grow."""
    windows = x_windows()
    expected = {"Delvoran": {"size limits": ["328 by 364"] * 2, "functions": {"minimise", "close"},
                             "buttons": {"minimise"}, "type": ["NORMAL"], "transient for": []},
                "O programu": {"size limits": ["312 by 217"] * 2, "functions": {"close"}, "buttons": set(),
                               "type": ["UTILITY", "NORMAL"], "transient for": [windows["Delvoran"]]}}
    for title, hints in expected.items():
        told_wm = window_manager_hints(windows[title])
        check(told_wm == hints, f"the window manager is told of {title!r}: {told_wm}")


def session(answers):
    # A frame, as screen readers read a title only from a frame, window or dialog.
    frame = named(pyatspi.ROLE_FRAME, "Delvoran")
    size = tuple(frame.queryComponent().getSize())
    # On Wayland the window draws its own 26-pixel title bar above the layout.
    check(size == (328, 364 if x11 else 390) and showing(frame), f"the game window is {size}, shown: {showing(frame)}")
    pyatspi.Registry.registerEventListener(record_told, "object:state-changed:showing", "object:announcement")
    won = new_word(answers)
    if not speech_log:
        check_read_once(frame, len(won))
        if x11:
            check_clock()
    guess(won, win=True)
    lost_from = len(speech()) if speech_log else 0
    lost = new_word(answers)
    guess(lost, win=False)
    # A one-letter answer is a word of the messages themselves ("1 z 8").
    for answer in (lost, " ".join(lost)) if speech_log and len(lost) > 1 else ():
        check(answer.casefold() not in speech()[lost_from:].casefold(), f"the lost answer {answer!r} was said")
    about = named(pyatspi.ROLE_PUSH_BUTTON, "O programu")
    press(about)
    named(pyatspi.ROLE_FRAME, "O programu")
    if x11 and not speech_log:
        check_about_comes_to_front(about)
        check_window_manager_hints()
    print(f"AT-SPI session on {os.environ.get('QT_QPA_PLATFORM', 'xcb')} passed", flush=True)


def main():
    answers = dictionary_answers(sys.argv[2])
    with contextlib.ExitStack() as stack:
        if speech_log:
            open(speech_log, "w").close()
            orca = stack.enter_context(subprocess.Popen(["orca", "--user-prefs", os.environ["HOME"] + "/orca"],
                                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            stack.callback(orca.kill)
            # Orca, its speech server and the accessibility bus all start now:
            # on a machine busy with other builds that took over 20 s.
            expect("Orca's start", ".", seconds=90)
        stack.enter_context(running(sys.argv[1]))
        session(answers)


main()
