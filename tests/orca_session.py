# Usage: orca_session.py PROGRAM DICTIONARY_SOURCE, run by atspi_session.sh in
# a private home, D-Bus session and X server.
#
# Wins a word and loses one with Orca listening, and checks what Orca said
# after each step, read from the file speech-dispatcher writes it to. The word
# in play is looked up by the number the game shows, in the dictionary's source.

import os
import subprocess
import sys
import time

import pyatspi
from atspi_session import check, find, label, named, press, session
from guess_chooser import answers as dictionary_answers, choose, key_of

heard = 0  # how much of the speech the steps so far have heard


def speech():
    with open(os.environ["DELVORAN_SPEECH_LOG"], encoding="utf-8", errors="replace") as log:
        return log.read()


def expect(step, *parts, seconds=20):
    """Waits until all the parts have been said since the last step; the
    module is handed a message sentence by sentence."""
    global heard
    deadline = time.monotonic() + seconds
    while not all(part in " ".join(speech()[heard:].split()) for part in parts):
        check(time.monotonic() < deadline, f"after {step} Orca said {speech()[heard:]!r}, not all of {parts}")
        time.sleep(0.05)
    print(f"{step}: {' '.join(speech()[heard:].split())}")
    heard = len(speech())


def play(app, answers, win):
    """Plays a word to a win or to a loss; returns the answer."""
    press(named(app, pyatspi.ROLE_PUSH_BUTTON, "Vylosovat slovo"))
    word = answers[100 + int(label(app, r"Slovo č\.: \d+").name.rsplit(" ", 1)[1])]
    expect("new word", find(app, "clue", lambda node: node.description == "Nápověda").name,
           label(app, r"Délka slova : \d+").name, " ".join("-" * len(word)))
    keys = [key_of(letter) for letter in word]
    letters = choose(word, win)
    for n, letter in enumerate(letters, 1):
        press(named(app, pyatspi.ROLE_PUSH_BUTTON, letter))
        slots = " ".join(shown if key in letters[:n] else "-" for shown, key in zip(word, keys))
        said = [f"{letter} {'je' if letter in keys else 'není'} ve slově. {slots}"]
        if letter not in keys:
            said.append(f"Špatně : {sum(guess not in keys for guess in letters[:n])} z 8")
        if n == len(letters):
            said.append(f"Výsledek slova : {'Správně' if win else 'Špatně'}")
        expect(f"letter {letter}", *said)
    return word


def main():
    answers = dictionary_answers(sys.argv[2])
    open(os.environ["DELVORAN_SPEECH_LOG"], "w").close()
    orca = subprocess.Popen(["orca", "--user-prefs", os.path.join(os.environ["HOME"], "orca")],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # Orca, its speech server and the accessibility bus all start now:
        # on a machine busy with other builds that took over 20 s.
        expect("Orca's start", ".", seconds=90)
        session(lambda app: play_both(app, answers))
    finally:
        orca.kill()
        orca.wait()


def play_both(app, answers):
    play(app, answers, win=True)
    lost_from = heard
    lost = play(app, answers, win=False)
    # A one-letter answer is a word of the messages themselves ("1 z 8").
    for told in (lost, " ".join(lost)) if len(lost) > 1 else ():
        check(told.casefold() not in speech()[lost_from:].casefold(), f"the lost word's answer {told!r} was said")


main()
