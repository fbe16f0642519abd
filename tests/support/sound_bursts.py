#!/usr/bin/env python3
"""Records what a sound server's sink plays, and finds the clips in the recording.

  sound_bursts.py record FILE       records SINK.monitor (SINK from VERDAL_SOUND_SINK) as
                                    raw mono 16-bit samples at 22,050 Hz into FILE until
                                    it gets SIGTERM; FILE.times maps samples to the
                                    steady clock (CLOCK_MONOTONIC, in ms); FILE.ready
                                    appears once samples flow
  sound_bursts.py bursts FILE WAV...
                                    one line per burst of sound: its start on the steady
                                    clock in ms, how long it sounds in ms, the name of the
                                    WAV clip it matches best (or "?"), and whether it
                                    sounds as long as that clip ("whole" or "cut")
"""
import os
import signal
import subprocess
import sys
import time
import wave

RATE = 22050
LOUD = 1000  # a clip sounds where its samples pass this; silence stays far below
QUIET = 100  # and its fading tail until they stay under this
STEP = RATE // 200  # 5 ms
GAP = RATE // 50  # bursts end after 20 ms below LOUD
MATCH = RATE * 60 // 1000  # a clip is known by its first 60 ms


def record(path):
    sink = os.environ.get("VERDAL_SOUND_SINK")
    if not sink:
        sys.exit("sound_bursts: VERDAL_SOUND_SINK is not set")
    parec = subprocess.Popen(
        ["parec", "--raw", "--format=s16le", f"--rate={RATE}", "--channels=1",
         f"--latency-msec={os.environ.get('VERDAL_RECORD_LATENCY_MS', 10)}",
         f"--device={sink}.monitor"], stdout=subprocess.PIPE)
    # The recorder's end closes its output, which ends the loop below.
    signal.signal(signal.SIGTERM, lambda *_: parec.terminate())
    total = 0
    with open(path, "wb") as out, open(path + ".times", "w") as times:
        while True:
            chunk = os.read(parec.stdout.fileno(), 4096)
            if not chunk:
                break
            # The last sample of a chunk was played no later than the chunk's arrival.
            now = time.monotonic() * 1000
            out.write(chunk)
            total += len(chunk)
            times.write(f"{total // 2} {now:.2f}\n")
            # Read while it grows, by a test that waits for what it expects to hear.
            out.flush()
            times.flush()
            if total == len(chunk):
                open(path + ".ready", "w").close()
    parec.wait()


def samples_of(data):
    return memoryview(bytearray(data)).cast("h")


def read_wav(path):
    with wave.open(path) as w:
        if (w.getnchannels(), w.getsampwidth(), w.getframerate()) != (1, 2, RATE):
            sys.exit(f"sound_bursts: {path} is not mono 16-bit at {RATE} Hz")
        return samples_of(w.readframes(w.getnframes()))


def loud_spans(x):
    """(first, last) sample of each run of sound, runs closer than GAP joined."""
    spans, start, last = [], None, None
    for i in range(0, len(x), STEP):
        block = x[i:i + STEP]
        if max(block) > LOUD or -min(block) > LOUD:
            if start is None:
                start = i + next(k for k, v in enumerate(block) if abs(v) > LOUD)
            last = i + STEP
        elif start is not None and i - last >= GAP:
            spans.append((start, last))
            start = None
    if start is not None:
        spans.append((start, last))
    return spans


def sounding(x, first, end):
    """How long x sounds from first on: until 5 ms under QUIET, or end."""
    i = first
    while i < min(end, len(x)):
        if all(abs(v) <= QUIET for v in x[i:i + STEP]):
            break
        i += STEP
    return min(i, len(x)) - first


def likeness(x, at, ref):
    """Best normalised correlation of ref's first 60 ms with x near sample at."""
    best = 0.0
    r = ref[:MATCH]
    rr = sum(v * v for v in r) ** 0.5
    for lag in range(-20, 20):
        s = at + lag
        if s < 0 or s + len(r) > len(x):
            continue
        seg = x[s:s + len(r)]
        ss = sum(v * v for v in seg) ** 0.5
        if ss and rr:
            best = max(best, sum(a * b for a, b in zip(seg, r)) / (ss * rr))
    return best


def clock_of(path):
    """Steady-clock ms of sample i: the earliest bound that a chunk's arrival gives."""
    marks = []
    with open(path + ".times") as f:
        for line in f:
            n, t = line.split()
            marks.append((int(n), float(t)))

    def at(i):
        return min(t - (n - i) * 1000 / RATE for n, t in marks if n >= i) if marks else 0.0
    return at


def find_bursts(path, wavs):
    """(start ms, length ms, clip name or "?", whether whole) of each burst in FILE."""
    with open(path, "rb") as f:
        x = samples_of(f.read())
    clock = clock_of(path)
    refs = {}
    for w in wavs:
        ref = read_wav(w)
        onset = loud_spans(ref)[0][0]
        refs[os.path.splitext(os.path.basename(w))[0]] = (ref, onset, sounding(ref, onset, len(ref)))
    spans = loud_spans(x)
    found = []
    for k, (first, _) in enumerate(spans):
        scores = {name: likeness(x, first - onset, ref) for name, (ref, onset, _) in refs.items()}
        name = max(scores, key=scores.get) if scores else "?"
        if not scores or scores[name] < 0.7:
            name = "?"
        length = sounding(x, first, spans[k + 1][0] if k + 1 < len(spans) else len(x))
        whole = name != "?" and length >= 0.9 * refs[name][2]
        found.append((clock(first), length * 1000 / RATE, name, whole))
    return found


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "record":
        record(sys.argv[2])
    elif len(sys.argv) >= 3 and sys.argv[1] == "bursts":
        for start, length, name, whole in find_bursts(sys.argv[2], sys.argv[3:]):
            print(f"{start:.1f} {length:.0f} {name} {'whole' if whole else 'cut'}")
    else:
        sys.exit(__doc__)
