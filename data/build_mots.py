#!/usr/bin/python3
"""Builds the dictionary file "mots" from the hunspell-fr lexicon and wordfreq frequencies.

Run with Debian's python3 (python3-msgpack, python3-grammalecte, hunspell-fr-classical and
wamerican installed) after data/fetch_inputs.sh. Without options it rewrites
data/mots and the screening report data/crible.txt; --check rebuilds both in memory and
compares them with the committed files byte for byte; --sample prints word lists to judge
the ranking.
"""

import argparse
import hashlib
import random
import re
import struct
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True  # the helper modules beside this script stay uncompiled in the tree
import mots_lexicon  # noqa: E402
import mots_screening  # noqa: E402

DATA_DIR = Path(__file__).resolve().parent
REPO_DIR = DATA_DIR.parent
DEFAULT_FREQ = REPO_DIR.parent / "shared" / "data" / "wordfreq" / "large_fr.msgpack.gz"
DEFAULT_DIC = Path("/usr/share/hunspell/fr_FR.dic")
DEFAULT_EXCLUDED = DATA_DIR / "exclus.txt"
DEFAULT_LEVELS = DATA_DIR / "niveaux.txt"
DEFAULT_OUTPUT = DATA_DIR / "mots"
DEFAULT_REPORT = DATA_DIR / "crible.txt"

REPORT_HEADER = """\
# Words of "mots" that a screen flagged and that were kept, for the next review; written
# by build_mots.py, never by hand. Each line: word, level, flags.
#   profanity: on the french-badwords-list package's list;
#   name: draws most of its frequency from forms that are also a name, so never familiar;
#   name-form: shares a form with a name but earns more on its own;
#   english-name: spelt as a name that the English list capitalises;
#   english: its forms are English words for most of its frequency;
#   feminine: a feminine singular made a word of its own.
# A word that should go, or never be familiar, joins exclus.txt with its reason.
"""

# ctest reports a test that exits with this code as skipped.
SKIP_EXIT_CODE = 77

# (familiar, less familiar) words per length; the settings screen shows these counts.
COMPOSITION = {6: (3135, 2094), 7: (4303, 2803), 8: (4768, 3226)}
RECORD_COUNT = sum(a + b for a, b in COMPOSITION.values())
RECORD_SIZE = 16
WORD_BYTES = 11

ACCENTS = str.maketrans({
    "é": "e", "è": "e", "ê": "e", "ë": "e",
    "à": "a", "â": "a", "ä": "a",
    "î": "i", "ï": "i",
    "ô": "o", "ö": "o",
    "ù": "u", "û": "u", "ü": "u",
    "ÿ": "y", "ç": "c", "œ": "oe", "æ": "ae",
})
PLAYABLE = re.compile(r"[A-Z]+")

# Fixes the order of the words that the frequency list never shows.
ZERO_ORDER_SEED = b"verdal-mots-1"


def normalise(lemma):
    """Spells a lemma the way the game stores words: capitals A to Z, accents dropped."""
    return lemma.translate(ACCENTS).upper()


# Reasons an entry of exclus.txt may give; "difficile" after the reason keeps the word as
# less familiar instead of leaving it out.
REASONS = ("slur", "vulgar", "sexual", "violence", "name", "foreign", "fragment", "inflected")
DEMOTED = "difficile"


def reviewed_entries(path):
    """Yields (line number, fields) for each entry of a reviewed list; '#' starts a comment."""
    with open(path, encoding="utf-8") as listing:
        for number, line in enumerate(listing, 1):
            fields = line.split("#", 1)[0].split()
            if fields:
                yield number, fields


def read_excluded(path):
    """Returns (words left out, words never familiar) from exclus.txt, as game words."""
    excluded, demoted = set(), set()
    for number, fields in reviewed_entries(path):
        if not (2 <= len(fields) <= 3 and fields[1] in REASONS
                and fields[2:] in ([], [DEMOTED])):
            raise SystemExit(f"{path}:{number}: expected 'lemma reason [{DEMOTED}]' "
                             f"with a reason among {', '.join(REASONS)}")
        (demoted if fields[2:] else excluded).add(normalise(fields[0]))
    return excluded, demoted


# Reasons an entry of niveaux.txt may give, per level: a word an ordinary adult would not know
# is never familiar; an everyday sense or feminine that the frequency list hides under
# another word or a name makes the word familiar.
LEVEL_REASONS = {
    "difficile": ("obscure", "technical", "inflected", "foreign", "name", "sexual", "insult",
                  "violence"),
    "facile": ("sense", "feminine"),
}


def read_levels(path):
    """Returns (lemmas made familiar, words never familiar, the familiar lemmas given as
    feminines) from niveaux.txt; the lemmas keep the lexicon's spelling, since a feminine
    may be no candidate of its own."""
    raised, lowered, feminines = set(), set(), set()
    for number, fields in reviewed_entries(path):
        if len(fields) != 3 or fields[2] not in LEVEL_REASONS.get(fields[1], ()):
            raise SystemExit(f"{path}:{number}: expected 'lemma level reason', the level "
                             f"among {', '.join(LEVEL_REASONS)} with one of its reasons")
        (raised if fields[1] == "facile" else lowered).add(
            fields[0] if fields[1] == "facile" else normalise(fields[0]))
        if fields[2] == "feminine":
            feminines.add(fields[0])
    clash = {normalise(lemma) for lemma in raised} & lowered
    if clash:
        raise SystemExit(f"{path}: both familiar and not: {' '.join(sorted(clash))}")
    return raised, lowered, feminines


def zero_order(word):
    """A fixed order unrelated to spelling, so that the words with no frequency that fill
    the last places start with letters spread as among all the candidates."""
    return hashlib.sha256(ZERO_ORDER_SEED + word.encode("ascii")).digest()


def rank_words(candidates, totals, excluded):
    """Returns, per length, the playable words best first with their frequency, and the
    lemma each word was taken from."""
    best = {}
    sources = {}
    for lemma in sorted(candidates):
        word = normalise(lemma)
        if len(word) not in COMPOSITION or not PLAYABLE.fullmatch(word) or word in excluded:
            continue
        frequency = totals.get(lemma, 0.0)
        if frequency > best.get(word, -1.0):
            best[word] = frequency
            sources[word] = lemma
    ranked = {}
    for length in COMPOSITION:
        words = [(w, f) for w, f in best.items() if len(w) == length]
        words.sort(key=lambda item: (-item[1], item[0] if item[1] > 0.0 else zero_order(item[0])))
        ranked[length] = words
    return ranked, sources


def select(ranked, never_familiar, always_familiar=frozenset()):
    """Tags the most frequent words familiar (0) and the next ones less familiar (1); a word
    that may not be familiar joins the less familiar ones at its place in the ranking, and a
    word that must be familiar is, in place of the last one the ranking would take."""
    levels = {}
    for length, (familiar, rarer) in COMPOSITION.items():
        words = [w for w, _ in ranked[length]]
        if len(words) < familiar + rarer:
            raise SystemExit(f"{length} letters: {len(words)} candidates "
                             f"for {familiar + rarer} places")
        places = familiar - sum(1 for w in words if w in always_familiar)
        easy = []
        for word in words:
            if word in always_familiar or (word not in never_familiar and places > 0):
                places -= word not in always_familiar
                easy.append(word)
        taken = set(easy)
        rest = [w for w in words if w not in taken]
        levels[length] = (easy, rest[:rarer], rest[rarer:])
    return levels


def records(levels):
    """(word, category) in alphabetical order, as the file holds them."""
    return sorted([(w, 0) for easy, _, _ in levels.values() for w in easy]
                  + [(w, 1) for _, hard, _ in levels.values() for w in hard])


def encode(chosen):
    out = bytearray()
    for word, category in chosen:
        letters = word.encode("ascii")
        out += bytes([len(letters)]) + letters.ljust(WORD_BYTES, b"\0")
        out += struct.pack("<i", category)
    assert len(out) == RECORD_COUNT * RECORD_SIZE
    return bytes(out)


def print_sample(levels, never_familiar, seed, around):
    """Random words of each level, and the words on either side of both cut-offs; the words
    kept from familiar are left out of the first less familiar ones, which are the words
    that just missed being familiar."""
    rng = random.Random(seed)
    for length, (easy, hard, left_out) in levels.items():
        print(f"== {length} letters")
        print("random familiar:", " ".join(sorted(rng.sample(easy, 20))))
        print("random less familiar:", " ".join(sorted(rng.sample(hard, 20))))
        print("last familiar:", " ".join(easy[-around:]))
        print("first less familiar:",
              " ".join([w for w in hard if w not in never_familiar][:around]))
        print("last less familiar:", " ".join(hard[-around:]))
        print("first left out:", " ".join(left_out[:around]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--freq", type=Path, default=DEFAULT_FREQ)
    parser.add_argument("--dic", type=Path, default=DEFAULT_DIC)
    parser.add_argument("--exclus", type=Path, default=DEFAULT_EXCLUDED)
    parser.add_argument("--niveaux", type=Path, default=DEFAULT_LEVELS)
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    parser.add_argument("--report", type=Path, default=DEFAULT_REPORT)
    parser.add_argument("--badwords", type=Path, default=mots_screening.DEFAULT_BADWORDS)
    parser.add_argument("--check", action="store_true",
                        help="compare the rebuilt list with --output instead of writing it")
    parser.add_argument("--sample", type=int, metavar="SEED",
                        help="also print random words and the words around each cut-off")
    parser.add_argument("--around", type=int, default=20)
    args = parser.parse_args()

    missing = [f"frequency file {args.freq} is absent"] if not args.freq.is_file() else []
    missing += mots_screening.missing_inputs(args.badwords)
    if missing:
        print(f"SKIPPED: {'; '.join(missing)}; 'mots' cannot be rebuilt")
        return SKIP_EXIT_CODE
    start = time.monotonic()
    candidates, adjective_only = mots_lexicon.read_candidates(args.dic)
    forms = mots_lexicon.read_frequencies(args.freq)
    inflected = mots_lexicon.inflected_candidates(
        mots_lexicon.new_checker(), {c for c in candidates if len(normalise(c)) in COMPOSITION},
        adjective_only, mots_lexicon.word_frequencies(forms))
    english_words, english_names = mots_screening.read_english()
    frequencies = mots_lexicon.lemma_frequencies(forms, candidates, english_words)
    excluded, demoted = read_excluded(args.exclus)
    raised, lowered, feminines = read_levels(args.niveaux)
    checker = mots_lexicon.new_checker()
    unknown = sorted(lemma for lemma in raised - candidates
                     if not mots_lexicon.analyses(checker, lemma))
    if unknown:
        raise SystemExit(f"{args.niveaux}: not words of the lexicon: {' '.join(unknown)}")
    unknown = sorted(lemma for lemma in feminines
                     if not mots_lexicon.masculine_of(checker, lemma))
    if unknown:
        raise SystemExit(f"{args.niveaux}: not the feminine singular of a noun or adjective "
                         f"of the lexicon: {' '.join(unknown)}")
    ranked, sources = rank_words(
        (candidates - inflected) | frequencies.feminines.keys() | raised, frequencies.total,
        excluded)
    familiar = {normalise(lemma) for lemma in raised}
    missing = sorted(familiar - sources.keys())
    if missing:
        raise SystemExit(f"{args.niveaux}: made familiar but left out: {' '.join(missing)}")
    by_name = {w for w, lemma in sources.items() if frequencies.name_driven(lemma)} - familiar
    never_familiar = demoted | lowered | by_name
    levels = select(ranked, never_familiar, familiar)
    chosen = records(levels)
    built = encode(chosen)
    report = "".join([REPORT_HEADER] + mots_screening.report_lines(
        chosen, sources, frequencies, mots_screening.read_badwords(args.badwords, normalise),
        english_names, by_name))
    if args.sample is not None:
        print_sample(levels, never_familiar, args.sample, args.around)
    print(f"built {RECORD_COUNT} words in {time.monotonic() - start:.1f} s; "
          f"{len(inflected)} inflected lemmas and {len(excluded)} excluded words left out, "
          f"{len(frequencies.feminines)} feminines added, "
          f"{len(by_name)} words kept from familiar by a name form, "
          f"{len(lowered)} by reading, {len(familiar)} made familiar by reading")
    known = {normalise(c) for c in candidates | frequencies.feminines.keys()}
    stale = sorted((excluded | demoted | lowered) - known)
    if stale:
        print(f"exclus.txt or niveaux.txt entries that match no candidate: {' '.join(stale)}")

    if args.check:
        failures = compare(args.output, built) + compare(args.report, report.encode("utf-8"))
        for failure in failures:
            print(f"FAILED: {failure}")
        if failures:
            return 1
        print(f"{args.output} and {args.report} match the rebuilt ones byte for byte")
        return 0
    args.output.write_bytes(built)
    args.report.write_text(report, encoding="utf-8")
    print(f"wrote {args.output} and {args.report}")
    return 0


def compare(path, built):
    """Why the committed file differs from the rebuilt one, as a list of at most one text."""
    committed = path.read_bytes() if path.is_file() else b""
    if committed == built:
        return []
    if path.suffix == ".txt":
        return [f"{path} differs from the rebuilt report"]
    differing = sum(1 for k in range(RECORD_COUNT)
                    if committed[k * RECORD_SIZE:(k + 1) * RECORD_SIZE]
                    != built[k * RECORD_SIZE:(k + 1) * RECORD_SIZE])
    return [f"{path} differs from the rebuilt list ({len(committed)} bytes, "
            f"{differing} records differ)"]


if __name__ == "__main__":
    sys.exit(main())
