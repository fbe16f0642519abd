"""The lists that propose words for review (profanity, English) and the report of the kept ones."""

import os
import re
from pathlib import Path

# Where data/fetch_inputs.sh unpacks the npm package french-badwords-list.
DEFAULT_BADWORDS = Path(os.environ.get("XDG_CACHE_HOME", Path.home() / ".cache")) \
    / "verdal" / "french-badwords-list" / "list.txt"
# Debian's wamerican: the British list would also flag French spellings ("centre",
# "théâtre" as "theatre").
ENGLISH_LIST = Path("/usr/share/dict/american-english")

# A word whose forms are English words for at least this share of its frequency may owe
# it to English text ("thread", "process"); the reader decides which are French.
ENGLISH_SHARE = 0.9

LETTERS = re.compile(r"[a-zàâäéèêëîïôöùûüÿçœæ]+")


def missing_inputs(badwords_path):
    """Why the screening cannot run here, or an empty list."""
    missing = []
    if not badwords_path.is_file():
        missing.append(f"profanity list {badwords_path} is absent (run data/fetch_inputs.sh)")
    if not ENGLISH_LIST.is_file():
        missing.append(f"English word list {ENGLISH_LIST} is absent (Debian package wamerican)")
    return missing


def read_badwords(path, normalise):
    """The profanity list as game words; its variants in digits and symbols are dropped."""
    words = set()
    with open(path, encoding="utf-8") as listing:
        for line in listing:
            entry = line.strip().lower()
            if LETTERS.fullmatch(entry):
                words.add(normalise(entry))
    return words


def read_english():
    """The English words of the list (lower case) and, apart, the names of people, places
    and brands that are only capitalised there ("Gallup", "Zanzibar"), given lower case.
    The names only propose words to the reader: French shares many of them ("Prudence")."""
    words, names = set(), set()
    with open(ENGLISH_LIST, encoding="utf-8") as listing:
        for line in listing:
            entry = line.strip()
            if entry.isalpha():
                (words if entry.islower() else names).add(entry.lower())
    return words, names - words


def report_lines(chosen, sources, frequencies, badwords, english_names, by_name):
    """One line per kept word that a screen flags: word, level, then the flags.

    profanity: on the profanity list; name: most of its frequency came from forms that are
    also a name, so it is never familiar (by_name holds these words, less those a reader made
    familiar); name-form: shares a form with a name but earns more on its own; english-name:
    spelt as a name that the English list capitalises; english: its forms are English words
    for most of its frequency; feminine: a feminine promoted from its masculine entry."""
    lines = []
    for word, category in chosen:
        lemma = sources[word]
        flags = []
        if word in badwords:
            flags.append("profanity")
        if word in by_name:
            flags.append("name")
        elif frequencies.by_name.get(lemma, 0.0) > 0.0:
            flags.append("name-form")
        if lemma in english_names:
            flags.append("english-name")
        seen = frequencies.unshared.get(lemma, 0.0) + frequencies.by_name.get(lemma, 0.0)
        if seen > 0.0 and frequencies.english.get(lemma, 0.0) >= ENGLISH_SHARE * seen:
            flags.append("english")
        if lemma in frequencies.feminines:
            flags.append("feminine")
        if flags:
            level = "facile" if category == 0 else "difficile"
            lines.append(f"{word} {level} {' '.join(flags)}\n")
    return lines
