#!/usr/bin/env python3
"""figure sound_clips_lost, sound_start_latency_ms: a wrong proposal's six marks (the chime
for red and yellow, the tick for an absent letter) played ROUNDS times in a row through the
program's sound player on a real sound server, recorded from its null sink. A mark's clip
counts as heard when a burst of that clip, as long as the clip, starts within 150 ms after
the mark; the latency is the slowest start (the recording side's own delay, about 10 ms,
included). A null sink renders what it is given ahead of its clock, so a clip that starts at
once can show a few ms before its mark: up to 20 ms before counts as a start on time. Runs
under tests/support/with-sound-server; the figures' names end with the server's name.

Usage: sound_clips_bench.py PLAYER JAUNE.wav ROUGE.wav [ROUNDS]"""
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "support"))
import sound_bursts  # noqa: E402


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    player, jaune, rouge = sys.argv[1:4]
    rounds = int(sys.argv[4]) if len(sys.argv) == 5 else 30
    if not os.environ.get("VERDAL_SOUND_SINK"):
        # Not a failure of the program: the other benchmarks still run.
        print("sound_clips_bench: skipped, no sound server", file=sys.stderr)
        return
    with tempfile.TemporaryDirectory(prefix="verdal-sound-bench-") as work:
        recording = os.path.join(work, "marks.raw")
        recorder = subprocess.Popen([sys.executable, sound_bursts.__file__, "record", recording])
        deadline = time.monotonic() + 20
        while not os.path.exists(recording + ".ready"):
            if time.monotonic() > deadline or recorder.poll() is not None:
                sys.exit("sound_clips_bench: the recording did not start")
            time.sleep(0.05)
        played = subprocess.run([player, str(rounds), jaune, rouge], capture_output=True,
                                text=True, check=False)
        if played.returncode != 0:
            recorder.send_signal(signal.SIGTERM)
            recorder.wait()
            sys.exit(f"sound_clips_bench: the player failed\n{played.stderr}")
        # The sink may render a clip up to 2 s after its mark: the recording goes on until it
        # holds a burst for every mark, the last one whole, or for 5 s at most (a lost clip).
        marked = len(played.stdout.splitlines())
        deadline = time.monotonic() + 5
        while True:
            found = sound_bursts.find_bursts(recording, [jaune, rouge])
            if (len(found) >= marked and found[-1][3]) or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        recorder.send_signal(signal.SIGTERM)
        recorder.wait()
        found = sound_bursts.find_bursts(recording, [jaune, rouge])
    marks = []
    for line in played.stdout.splitlines():
        _, _, _, clip, ms, held = line.split()
        marks.append(("Wave_" + clip, float(ms), int(held)))
    lost, latencies = 0, []
    for clip, at, held in marks:
        near = [(start, length, whole) for start, length, name, whole in found
                if name == clip and at - 20 <= start < at + 150]
        if near and near[0][2]:
            latencies.append(max(0.0, near[0][0] - at))
            if latencies[-1] > 30:
                print(f"late: {clip} marked at {at:.0f} ms started {latencies[-1]:.0f} ms "
                      f"after (Play took {held} ms)", file=sys.stderr)
            continue
        lost += 1
        how = f"cut after {near[0][1]:.0f} ms" if near else "not heard"
        print(f"lost: {clip} marked at {at:.0f} ms, {how}", file=sys.stderr)
    server = os.environ.get("VERDAL_SOUND_SERVER", "")
    print(f"figure sound_clips_lost_{server} {lost} count")
    print(f"figure sound_start_latency_ms_{server} {max(latencies, default=0):.0f} ms")
    if latencies:
        latencies.sort()
        print(f"sound_clips_bench: {server}, {len(marks)} marks, latency median "
              f"{latencies[len(latencies) // 2]:.0f} ms", file=sys.stderr)


if __name__ == "__main__":
    main()
