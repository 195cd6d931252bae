#!/usr/bin/python3
"""A scripted run with --record, checked from outside: the GIF read back by Pillow.

  recording_check.py PROGRAM OUTPUT KEYS PACE FRAMES ERROR

Runs PROGRAM --keys=KEYS --pace=PACE --output=OUTPUT --record=OUTPUT/run.gif and answers 0 when
the file holds at least FRAMES different pictures, its last picture is window0.png with no
colour channel off by more than ERROR, and its delays add up to the recording's length as seen
from here (from the start line to the line that marks its end) within one frame.
"""
import subprocess
import sys
import time

from PIL import Image, ImageChops, ImageSequence

FRAME = 1 / 30  # one refresh period


def fail(message):
    print(f"recording_check: {message}")
    sys.exit(1)


def run(program, output, keys, pace):
    command = [program, f"--keys={keys}", f"--pace={pace}", f"--output={output}",
               f"--record={output}/run.gif", "--timeout=60000"]
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    seen = {}
    for line in iter(process.stdout.readline, b""):
        text = line.decode("utf-8", "replace").rstrip("\n")
        for key in ("g_RecordStart: Window #", "g_RecordStop: Window #0 Start.", "g_RecordStop: Window #0 recorded"):
            if text.startswith(key):
                seen[key] = (time.monotonic(), text)
    if process.wait() != 0:
        fail(f"{' '.join(command)} ended with {process.returncode}")
    if len(seen) != 3:
        fail(f"start and stop lines missing: {seen}")
    return seen["g_RecordStop: Window #0 Start."][0] - seen["g_RecordStart: Window #"][0]


def main():
    program, output, keys, pace, frames, error = sys.argv[1:7]
    length = run(program, output, keys, pace)
    gif = Image.open(f"{output}/run.gif")
    pictures, durations = [], []
    for frame in ImageSequence.Iterator(gif):
        durations.append(frame.info.get("duration", 0))
        picture = frame.convert("RGB")
        if not pictures or ImageChops.difference(picture, pictures[-1]).getbbox() is not None:
            pictures.append(picture)
    if len(pictures) < int(frames):
        fail(f"{len(pictures)} different pictures, expected at least {frames}")
    last = Image.open(f"{output}/window0.png").convert("RGB")
    worst = max(high for _, high in ImageChops.difference(pictures[-1], last).getextrema())
    if worst > int(error):
        fail(f"the last picture is off by {worst} from window0.png (at most {error})")
    total = sum(durations) / 1000
    if abs(length - total) > FRAME:
        fail(f"delays add up to {total:.3f} s, the recording lasted {length:.3f} s")
    print(f"recording_check: {len(pictures)} pictures, {total:.2f} s of {length:.2f} s, error {worst}: ok")


main()
