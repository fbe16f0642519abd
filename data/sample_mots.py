#!/usr/bin/python3
"""Draws random familiar words from "mots" for a reader to judge: SEED then the number of
words per length (6, 7 and 8 letters), optionally the category (0 familiar, 1 less
familiar). The same seed always draws the same words from the same file."""

import random
import struct
import sys
from pathlib import Path

MOTS = Path(__file__).resolve().parent / "mots"


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(f"usage: {sys.argv[0]} SEED COUNT [CATEGORY]")
    seed, count = int(sys.argv[1]), int(sys.argv[2])
    category = int(sys.argv[3]) if len(sys.argv) == 4 else 0
    data = MOTS.read_bytes()
    words = {6: [], 7: [], 8: []}
    for at in range(0, len(data), 16):
        if struct.unpack_from("<i", data, at + 12)[0] == category:
            words[data[at]].append(data[at + 1:at + 1 + data[at]].decode("ascii"))
    rng = random.Random(seed)
    for length, found in words.items():
        print(length, " ".join(sorted(rng.sample(found, count))))


if __name__ == "__main__":
    main()
