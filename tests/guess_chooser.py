"""The letters atspi_session.py presses to win or to lose a word. Run as
`guess_chooser.py DICTIONARY_SOURCE`, checks that they win, or lose, every
entry of the dictionary, played by the game's rules."""

import os
import re
import sys
import unicodedata

KEYS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
WRONG_TO_LOSE = 8


def key_of(letter):
    """The key that stands for a letter: the keyboard has none for diacritics."""
    return unicodedata.normalize("NFD", letter)[0]


def answers(source):
    """The dictionary's answers in capitals, by entry number."""
    with open(source, encoding="utf-8") as text:
        entries = re.findall(r'u"([^"]*)",\s*// (\d+)', text.read())
    return {int(number): entry.rsplit(":", 1)[1].upper() for entry, number in entries}


def choose(word, win):
    # A wrong letter comes first when winning, and a right one is pressed on
    # the way to a loss only if it leaves letters to guess: a word of one
    # letter ends with its first right one, and the keys are shaded then.
    inside = sorted({key_of(letter) for letter in word})
    outside = [key for key in KEYS if key not in inside]
    if win:
        return outside[:1] + inside
    return (inside[:1] if len(inside) > 1 else []) + outside[:WRONG_TO_LOSE]


def outcome(word, letters):
    """What the game makes of the letters pressed in turn."""
    hidden, wrong = set(range(len(word))), 0
    for n, letter in enumerate(letters):
        if not hidden or wrong == WRONG_TO_LOSE:
            return f"{letter} pressed after the end"
        if letter not in KEYS or letter in letters[:n]:
            return f"no key {letter} to press"
        found = {place for place in hidden if key_of(word[place]) == letter}
        hidden -= found
        wrong += not found
    return "won" if not hidden else "lost" if wrong == WRONG_TO_LOSE else "unfinished"


if __name__ == "__main__":
    words = answers(sys.argv[1])
    with open(os.path.join(os.path.dirname(sys.argv[1]), "dictionary.h"), encoding="utf-8") as header:
        size = int(re.search(r"kSize = (\d+);", header.read())[1])
    failed = [f"{number} {word}: {result} when {asked} was asked" for number, word in words.items()
              for asked in ("won", "lost") for result in [outcome(word, choose(word, asked == "won"))]
              if result != asked]
    if len(words) != size or failed:
        sys.exit(f"{len(words)} of {size} entries read; " + "; ".join(failed))
    print(f"each of the {size} entries won and lost")
