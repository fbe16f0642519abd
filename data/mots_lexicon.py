"""Candidate lemmas from the French lexicon and their frequencies, for build_mots.py."""

import gzip
import re
from dataclasses import dataclass, field

# A lemma's own weight when a shared form is split: its frequency as a word plus this
# constant, below the smallest listed frequency (1e-8), so unseen lemmas still get a share.
UNSEEN_WEIGHT = 1e-9

# A feminine singular filed under a masculine entry becomes a word of its own when its
# form is this many times as frequent as the masculine: "plante" is 13 times "plant",
# "plaine" 4.5 times "plain", while "cousine" and "voisine" stay feminines of their entry.
FEMININE_RATIO = 3.0

# How many times its own forms' frequency the forms a word shares with a name must bring
# for the word to count as mostly a name; see Frequencies.name_driven.
NAME_RATIO = 25.0

# A capitalised reading that is a common noun written with a capital ("Soleil"), not a
# name of a person or place.
CAPITALISED_NOUN = re.compile(r":N:[mfe]:[sp]\b")

LEMMA_CHARS = re.compile(r"[a-zàâäéèêëîïôöùûüÿçœæ]+")

# Parts of speech a player expects as a hidden word.
WANTED_POS = ("nom", "adj", "adv", "interj")
# Any of these on a line disqualifies it: names, grammatical words, numbers, affixes,
# pieces of multi-word expressions and misspellings kept for the grammar checker.
UNWANTED_POS = ("npr", "prn", "patr", "mg", "nb", "nbro", "pfx", "sfx", "err", "prep",
                "det", "cj", "cjco", "cjsub", "prodem", "proind", "prorel", "proint",
                "properobj", "propersuj", "proneg", "proadv", "advint", "negadv")


@dataclass
class Frequencies:
    """What the frequency list says of each lemma (lower case, accents kept)."""
    total: dict = field(default_factory=dict)     # the frequency the ranking uses
    unshared: dict = field(default_factory=dict)  # from forms that are no name
    by_name: dict = field(default_factory=dict)   # from forms that are also a name, uncapped
    english: dict = field(default_factory=dict)   # from forms that are English words
    feminines: dict = field(default_factory=dict)  # promoted feminine -> its masculine entry

    def name_driven(self, lemma):
        """True when the word is mostly a name: the forms it shares with one are far more
        frequent than its own forms ("julien", "claude", "prudence"; "pierre" is 8 times
        "pierres" and "plaisir" 20 times "plaisirs", and they stay common words)."""
        return self.by_name.get(lemma, 0.0) > NAME_RATIO * self.unshared.get(lemma, 0.0)


def is_wanted_line(tags):
    pos = [t[3:] for t in tags if t.startswith("po:")]
    if any(p in UNWANTED_POS or p.startswith("loc.") for p in pos):
        return False
    if "is:pl" in tags or any(t.startswith("st:") for t in tags):
        return False  # plural-only entries and inflected forms listed with their stem
    return any(p in WANTED_POS or re.fullmatch(r"v[0-3].*", p) for p in pos)


def read_candidates(dic_path):
    """Returns the lemmas (lower case, accents kept) that may become words, and those of
    them that the lexicon knows only as adjectives.

    A stem that is also a grammatical word ("depuis", "toutes") is left out unless it is a
    noun, adjective or verb as well ("pendant", "contre")."""
    wanted = set()
    grammatical = set()
    substantive = set()
    not_adjective_only = set()
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
            if any(t.startswith("po:") and t != "po:adj" for t in tags):
                not_adjective_only.add(stem)
            if is_wanted_line(tags):
                wanted.add(stem)
                if any(t in ("po:nom", "po:adj") or re.fullmatch(r"po:v[0-3].*", t)
                       for t in tags):
                    substantive.add(stem)
    candidates = {stem for stem in wanted if stem not in grammatical or stem in substantive}
    return candidates, candidates - not_adjective_only


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


def new_checker():
    from grammalecte.graphspell.spellchecker import SpellChecker
    return SpellChecker("fr", "fr-classic.json")


def analyses(checker, form):
    """(lemma, tags) for every reading of a form, proper nouns included."""
    found = set()
    spellings = [form]
    if "oe" in form:
        spellings.append(form.replace("oe", "œ"))
    for spelling in spellings:
        for variant in (spelling, spelling[:1].upper() + spelling[1:]):
            for morph in checker.getMorph(variant):
                if morph.startswith(">"):
                    lemma, _, rest = morph[1:].partition("/")
                    found.add((lemma, rest.split("/", 1)[0]))
        if found:
            break
    return sorted(found)


def masculine_of(checker, form):
    """The lemma of which the lexicon reads a form as the feminine singular of a noun or an
    adjective ("cousine" of "cousin", "heureuse" of "heureux"), or None; a verb's participle
    ("fatiguée") is no such reading."""
    for lemma, tags in analyses(checker, form):
        parts = re.split(r"[:;#]", tags)
        if (lemma != form and not lemma[:1].isupper() and parts[1:2] in (["N"], ["A"])
                and "f" in parts and "s" in parts):
            return lemma
    return None


def inflected_candidates(checker, candidates, adjective_only, as_word):
    """Candidates that are an inflected form of another lemma: a plural used less than its
    singular ("scampis", "addenda"; not "relais" nor "vernis", which outweigh "relai" and
    "verni") or, for an entry that is only an adjective, a verb's past participle
    ("régressé", "gigoté"), which the verb already stands for."""
    inflected = set()
    for lemma in candidates:
        for other, tags in analyses(checker, lemma):
            if other == lemma or other[:1].isupper():
                continue
            plural = "p" in tags.split(":") and as_word.get(other, 0.0) >= as_word.get(lemma, 0.0)
            if plural or (lemma in adjective_only and ":Q" in tags):
                inflected.add(lemma)
    return inflected


def word_frequencies(forms):
    """Each form's frequency as a word, from the frequency list's pairs."""
    as_word = {}
    for form, frequency in forms:
        as_word.setdefault(form, frequency)
    return as_word


def promoted_feminines(checker, as_word, candidates):
    """Feminine singulars filed under a masculine entry that are used far more than it."""
    promoted = {}
    for form, frequency in as_word.items():
        if form in candidates or not LEMMA_CHARS.fullmatch(form):
            continue
        for lemma, tags in analyses(checker, form):
            if (lemma != form and lemma in candidates and tags.startswith(":N")
                    and ":f:s" in tags
                    and frequency >= FEMININE_RATIO * as_word.get(lemma, 0.0)):
                promoted[form] = lemma
    return promoted


def lemmas_of(checker, form, feminines):
    """Every lemma a frequency-list form may belong to, names capitalised. A promoted
    feminine takes its own forms from its masculine entry."""
    lemmas = set()
    for lemma, tags in analyses(checker, form):
        if lemma[:1].isupper() and CAPITALISED_NOUN.match(tags):
            continue
        parts = tags.split(":")
        if "f" in parts and "s" in parts and feminines.get(form) == lemma:
            lemma = form
        elif "f" in parts and "p" in parts and feminines.get(form[:-1]) == lemma:
            lemma = form[:-1]
        lemmas.add(lemma)
    return sorted(lemmas)


def lemma_frequencies(forms, candidates, english_words):
    """Sums over each lemma the frequencies of its forms, a shared form being split in
    proportion to each lemma's own frequency as a word.

    The list is lower case, so "julien" counts the first name with the adjective. The forms
    that may be a name are split in a second pass, among the common lemmas only, in
    proportion to what their other forms gathered; and a lemma takes from them at most what
    its other forms earn, since the name usually outweighs the word: "claude" and "robert"
    are first names far more often, "pierres" still carries PIERRE."""
    checker = new_checker()
    as_word = word_frequencies(forms)
    result = Frequencies(feminines=promoted_feminines(checker, as_word, candidates))
    unshared, by_name, english = result.unshared, result.by_name, result.english
    ambiguous = []
    for form, frequency in forms:  # file order, so every run adds in the same order
        lemmas = lemmas_of(checker, form, result.feminines)
        common = [lemma for lemma in lemmas if not lemma[:1].isupper()]
        if len(common) < len(lemmas):
            ambiguous.append((form, frequency, common))
        elif common:
            weights = [as_word.get(lemma, 0.0) + UNSEEN_WEIGHT for lemma in common]
            share(unshared, frequency, common, weights)
            if form in english_words:
                share(english, frequency, common, weights)
    for form, frequency, common in ambiguous:
        weights = [unshared.get(lemma, 0.0) + UNSEEN_WEIGHT for lemma in common]
        share(by_name, frequency, common, weights)
        if form in english_words:
            share(english, frequency, common, weights)
    for lemma in unshared.keys() | by_name.keys():
        own = unshared.get(lemma, 0.0)
        result.total[lemma] = own + min(by_name.get(lemma, 0.0), own)
    return result


def share(totals, frequency, lemmas, weights):
    weight_sum = sum(weights)
    for lemma, weight in zip(lemmas, weights):
        totals[lemma] = totals.get(lemma, 0.0) + frequency * weight / weight_sum
