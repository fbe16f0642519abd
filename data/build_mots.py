#!/usr/bin/python3
"""Builds the dictionary file "mots" from the hunspell-fr lexicon and wordfreq frequencies.

Run with Debian's python3 (python3-msgpack, python3-grammalecte and hunspell-fr-classical
installed). Without options it rewrites data/mots; --check rebuilds in memory and compares
with the committed file byte for byte; --sample prints word lists to judge the ranking.
"""

import argparse
import gzip
import random
import re
import struct
import sys
import time
from pathlib import Path

DATA_DIR = Path(__file__).resolve().parent
REPO_DIR = DATA_DIR.parent
DEFAULT_FREQ = REPO_DIR.parent / "shared" / "data" / "wordfreq" / "large_fr.msgpack.gz"
DEFAULT_DIC = Path("/usr/share/hunspell/fr_FR.dic")
DEFAULT_EXCLUDED = DATA_DIR / "exclus.txt"
DEFAULT_OUTPUT = DATA_DIR / "mots"

# ctest reports a test that exits with this code as skipped.
SKIP_EXIT_CODE = 77

# (familiar, less familiar) words per length; the settings screen shows these counts.
COMPOSITION = {6: (3135, 2094), 7: (4303, 2803), 8: (4768, 3226)}
RECORD_COUNT = sum(a + b for a, b in COMPOSITION.values())
RECORD_SIZE = 16
WORD_BYTES = 11

# A lemma's own weight when a shared form is split: its frequency as a word plus this
# constant, below the smallest listed frequency (1e-8), so unseen lemmas still get a share.
UNSEEN_WEIGHT = 1e-9

# The weight of a proper noun when a form may also be one, as a fraction of the form's
# frequency; see lemma_frequencies.
NAME_WEIGHT = 0.1

ACCENTS = str.maketrans({
    "é": "e", "è": "e", "ê": "e", "ë": "e",
    "à": "a", "â": "a", "ä": "a",
    "î": "i", "ï": "i",
    "ô": "o", "ö": "o",
    "ù": "u", "û": "u", "ü": "u",
    "ÿ": "y", "ç": "c", "œ": "oe", "æ": "ae",
})
LEMMA_CHARS = re.compile(r"[a-zàâäéèêëîïôöùûüÿçœæ]+")
PLAYABLE = re.compile(r"[A-Z]+")

# Parts of speech a player expects as a hidden word.
WANTED_POS = ("nom", "adj", "adv", "interj")
# Any of these on a line disqualifies it: names, grammatical words, numbers, affixes,
# pieces of multi-word expressions and misspellings kept for the grammar checker.
UNWANTED_POS = ("npr", "prn", "patr", "mg", "nb", "nbro", "pfx", "sfx", "err", "prep",
                "det", "cj", "cjco", "cjsub", "prodem", "proind", "prorel", "proint",
                "properobj", "propersuj", "proneg", "proadv", "advint", "negadv")


def normalise(lemma):
    """Spells a lemma the way the game stores words: capitals A to Z, accents dropped."""
    return lemma.translate(ACCENTS).upper()


def is_wanted_line(tags):
    pos = [t[3:] for t in tags if t.startswith("po:")]
    if any(p in UNWANTED_POS or p.startswith("loc.") for p in pos):
        return False
    if "is:pl" in tags or any(t.startswith("st:") for t in tags):
        return False  # plural-only entries and inflected forms listed with their stem
    return any(p in WANTED_POS or re.fullmatch(r"v[0-3].*", p) for p in pos)


def read_candidates(dic_path):
    """Returns the set of lemmas (lower case, accents kept) that may become words.

    A stem that is also a grammatical word ("depuis", "toutes") is left out unless it is a
    noun, adjective or verb as well ("pendant", "contre")."""
    wanted = set()
    grammatical = set()
    substantive = set()
    with open(dic_path, encoding="utf-8") as dic:
        next(dic)  # the entry count
        for line in dic:
            fields = line.split()
            if not fields:
                continue
            stem = fields[0].split("/", 1)[0]
            if not LEMMA_CHARS.fullmatch(stem):
                continue
            tags = fields[1:]
            if "po:mg" in tags:
                grammatical.add(stem)
            if is_wanted_line(tags):
                wanted.add(stem)
                if any(t in ("po:nom", "po:adj") or re.fullmatch(r"po:v[0-3].*", t)
                       for t in tags):
                    substantive.add(stem)
    return {stem for stem in wanted if stem not in grammatical or stem in substantive}


def read_frequencies(freq_path):
    """Returns the frequency list as (form, frequency) pairs in the file's order."""
    import msgpack  # imported here so that a clone without the list can still skip cleanly
    with gzip.open(freq_path) as packed:
        buckets = msgpack.unpackb(packed.read(), raw=False)
    header = buckets[0]
    if header.get("format") != "cB":
        raise SystemExit(f"unexpected frequency list format: {header}")
    forms = []
    for k in range(1, len(buckets)):
        frequency = 10.0 ** (-(k - 1) / 100.0)
        forms.extend((form, frequency) for form in buckets[k])
    return forms


def lemmas_of(checker, form):
    """Every lemma a frequency-list form may belong to, proper nouns included."""
    lemmas = set()
    spellings = [form]
    if "oe" in form:
        spellings.append(form.replace("oe", "œ"))
    for spelling in spellings:
        for variant in (spelling, spelling[:1].upper() + spelling[1:]):
            for morph in checker.getMorph(variant):
                if morph.startswith(">"):
                    lemmas.add(morph[1:].split("/", 1)[0])
        if lemmas:
            break
    return sorted(lemmas)


def lemma_frequencies(forms):
    """Sums over each lemma the frequencies of its forms, a shared form being split in
    proportion to each lemma's own frequency as a word.

    The list is lower case, so "julien" counts the first name with the adjective. A form
    that may be a proper noun is split in a second pass, where a common lemma weighs what
    its other forms gathered ("macrons" is rare, "pierres" is not) and the name a fraction
    of the form's frequency, so that words seldom seen in the plural ("prudence") keep most
    of it."""
    from grammalecte.graphspell.spellchecker import SpellChecker
    checker = SpellChecker("fr", "fr-classic.json")
    as_word = {}
    for form, frequency in forms:
        as_word.setdefault(form, frequency)
    totals = {}
    ambiguous = []
    for form, frequency in forms:  # file order, so every run adds in the same order
        lemmas = lemmas_of(checker, form)
        if any(lemma[:1].isupper() for lemma in lemmas):
            ambiguous.append((frequency, lemmas))
        elif lemmas:
            weights = [as_word.get(lemma, 0.0) + UNSEEN_WEIGHT for lemma in lemmas]
            share(totals, frequency, lemmas, weights)
    unambiguous = dict(totals)
    for frequency, lemmas in ambiguous:
        weights = [(NAME_WEIGHT * as_word.get(lemma.lower(), 0.0) if lemma[:1].isupper()
                    else unambiguous.get(lemma, 0.0)) + UNSEEN_WEIGHT for lemma in lemmas]
        share(totals, frequency, lemmas, weights)
    return totals


def share(totals, frequency, lemmas, weights):
    weight_sum = sum(weights)
    for lemma, weight in zip(lemmas, weights):
        totals[lemma] = totals.get(lemma, 0.0) + frequency * weight / weight_sum


def read_excluded(path):
    words = set()
    with open(path, encoding="utf-8") as listing:
        for line in listing:
            word = line.split("#", 1)[0].strip()
            if word:
                words.add(normalise(word.lower()))
    return words


def rank_words(candidates, totals, excluded):
    """Returns, per length, the playable words best first with their frequency."""
    best = {}
    for lemma in candidates:
        word = normalise(lemma)
        if len(word) not in COMPOSITION or not PLAYABLE.fullmatch(word) or word in excluded:
            continue
        frequency = totals.get(lemma, 0.0)
        if frequency > best.get(word, -1.0):
            best[word] = frequency
    ranked = {}
    for length in COMPOSITION:
        words = [(w, f) for w, f in best.items() if len(w) == length]
        words.sort(key=lambda item: (-item[1], item[0]))
        ranked[length] = words
    return ranked


def select(ranked):
    """Tags the most frequent words familiar (0) and the next ones less familiar (1)."""
    chosen = []
    for length, (familiar, rarer) in COMPOSITION.items():
        words = ranked[length]
        if len(words) < familiar + rarer:
            raise SystemExit(f"{length} letters: {len(words)} candidates "
                             f"for {familiar + rarer} places")
        chosen.extend((w, 0) for w, _ in words[:familiar])
        chosen.extend((w, 1) for w, _ in words[familiar:familiar + rarer])
    chosen.sort()
    return chosen


def encode(chosen):
    out = bytearray()
    for word, category in chosen:
        letters = word.encode("ascii")
        out += bytes([len(letters)]) + letters.ljust(WORD_BYTES, b"\0")
        out += struct.pack("<i", category)
    assert len(out) == RECORD_COUNT * RECORD_SIZE
    return bytes(out)


def print_sample(ranked, seed, around):
    rng = random.Random(seed)
    for length, (familiar, rarer) in COMPOSITION.items():
        words = [w for w, _ in ranked[length]]
        print(f"== {length} letters")
        print("random familiar:", " ".join(sorted(rng.sample(words[:familiar], 20))))
        print("random less familiar:",
              " ".join(sorted(rng.sample(words[familiar:familiar + rarer], 20))))
        for name, cut in (("familiar", familiar), ("less familiar", familiar + rarer)):
            print(f"last {name} ({cut - around + 1}-{cut}):", " ".join(words[cut - around:cut]))
            print(f"next ({cut + 1}-{cut + around}):",
                  " ".join(words[cut:cut + around]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--freq", type=Path, default=DEFAULT_FREQ)
    parser.add_argument("--dic", type=Path, default=DEFAULT_DIC)
    parser.add_argument("--exclus", type=Path, default=DEFAULT_EXCLUDED)
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    parser.add_argument("--check", action="store_true",
                        help="compare the rebuilt list with --output instead of writing it")
    parser.add_argument("--sample", type=int, metavar="SEED",
                        help="also print random words and the words around each cut-off")
    parser.add_argument("--around", type=int, default=20)
    args = parser.parse_args()

    if not args.freq.is_file():
        print(f"SKIPPED: frequency file {args.freq} is absent; 'mots' cannot be rebuilt")
        return SKIP_EXIT_CODE
    start = time.monotonic()
    candidates = read_candidates(args.dic)
    totals = lemma_frequencies(read_frequencies(args.freq))
    ranked = rank_words(candidates, totals, read_excluded(args.exclus))
    built = encode(select(ranked))
    if args.sample is not None:
        print_sample(ranked, args.sample, args.around)
    print(f"built {RECORD_COUNT} words in {time.monotonic() - start:.1f} s")

    if args.check:
        committed = args.output.read_bytes() if args.output.is_file() else b""
        if committed != built:
            differing = sum(1 for k in range(RECORD_COUNT)
                            if committed[k * RECORD_SIZE:(k + 1) * RECORD_SIZE]
                            != built[k * RECORD_SIZE:(k + 1) * RECORD_SIZE])
            print(f"FAILED: {args.output} differs from the rebuilt list "
                  f"({len(committed)} bytes, {differing} records differ)")
            return 1
        print(f"{args.output} matches the rebuilt list byte for byte")
        return 0
    args.output.write_bytes(built)
    print(f"wrote {args.output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
