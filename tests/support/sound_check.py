#!/usr/bin/python3
"""sound_check.py example FILE [--raw] [--device]

The music example's phrase in three voices, then the scale's eight notes on the tempo's grid at
their frequencies. FILE is a WAV file, or with --raw 16-bit stereo at 48 kHz as parec writes it;
--device: a sound server's recording, which may drop a few milliseconds: the notes only in order.
Prints what it measured; exits 1 with the reason when the sound is not what it should be."""
import sys
import wave

import numpy

RATE = 48000
SILENCE = 0.01         # below this the mix counts as silent
GAP_MS = 4             # silence this long separates two notes (the scale's gaps are 11 ms)
PHRASE_MS = 6000       # 16 quarter notes at 160 a minute
SCALE = (261.63, 293.66, 329.63, 349.23, 392.00, 440.00, 493.88, 523.25)
SCALE_STEP_MS = 250    # eighth notes at 120 a minute
PHRASE_VOICES = {"melody E5": 659.26, "bass C3": 130.81, "chord E4": 329.63}


def fail(reason):
    print(f"sound_check: {reason}")
    sys.exit(1)


def samples(path, raw):
    """The left channel as floats in -1..1."""
    if raw:
        with open(path, "rb") as f:
            data = numpy.frombuffer(f.read(), dtype="<i2")
    else:
        with wave.open(path, "rb") as w:
            if (w.getframerate(), w.getsampwidth(), w.getnchannels()) != (RATE, 2, 2):
                fail(f"{path}: {w.getframerate()} Hz, {8 * w.getsampwidth()} bit, {w.getnchannels()} channels"
                     " instead of 48 kHz 16-bit stereo")
            data = numpy.frombuffer(w.readframes(w.getnframes()), dtype="<i2")
    return data[0::2].astype(numpy.float64) / 32768.0


def segments(x, gap_ms=GAP_MS):
    """(start, end) sample ranges of sound separated by at least gap_ms of silence."""
    loud = numpy.flatnonzero(numpy.abs(x) > SILENCE)
    if loud.size == 0:
        return []
    gap = gap_ms * RATE // 1000
    breaks = numpy.flatnonzero(numpy.diff(loud) > gap)
    starts = numpy.concatenate(([loud[0]], loud[breaks + 1]))
    ends = numpy.concatenate((loud[breaks], [loud[-1]]))
    return list(zip(starts.tolist(), ends.tolist()))


def crossing_frequency(x):
    """From the first to the last upward zero crossing, each placed between its samples."""
    up = numpy.flatnonzero((x[:-1] < 0) & (x[1:] >= 0))
    if up.size < 3:
        return 0.0
    at = up + x[up] / (x[up] - x[up + 1])
    return (up.size - 1) * RATE / (at[-1] - at[0])


def level(x, frequency):
    """Amplitude of the frequency's component (a Goertzel filter, as the unit tests use)."""
    n = numpy.arange(x.size)
    return 2 * abs(numpy.dot(x, numpy.exp(-2j * numpy.pi * frequency * n / RATE))) / x.size


def check_scale_heard(x):
    """The scale in order in the last two seconds, 20 ms at a time: a dropout of a loaded machine's
    sound server may split or shift a note, never reorder them."""
    loud = numpy.flatnonzero(numpy.abs(x) > SILENCE)
    window = RATE // 50
    heard = []
    for start in range(loud[-1] - 2000 * RATE // 1000, loud[-1] - window, window):
        levels = [level(x[start:start + window], frequency) for frequency in SCALE]
        note = int(numpy.argmax(levels))
        if levels[note] > 0.05 and (not heard or heard[-1] != note):
            heard.append(note)
    if heard != list(range(len(SCALE))):
        fail(f"the scale's notes were heard in the order {heard}")
    print("the phrase with its three voices, then the scale in order")


def check_example(x, device):
    found = segments(x)
    if not found or (not device and len(found) < 1 + len(SCALE)):
        fail(f"{len(found)} sounds found, the phrase and {len(SCALE)} scale notes expected")
    begin = found[0][0]
    bar = x[begin + RATE * 30 // 1000: begin + RATE * 330 // 1000]
    for name, frequency in PHRASE_VOICES.items():
        if level(bar, frequency) < 0.02:
            fail(f"no {name} ({frequency} Hz) in the phrase's first bar: level {level(bar, frequency):.4f}")
    if device:
        return check_scale_heard(x)
    phrase_end = found[-len(SCALE) - 1][1]
    phrase_ms = (phrase_end - begin) * 1000 / RATE
    if not PHRASE_MS <= phrase_ms <= PHRASE_MS + 200:
        fail(f"the phrase lasts {phrase_ms:.1f} ms, not {PHRASE_MS} ms and its last release")
    scale = found[-len(SCALE):]
    onsets = [start * 1000 / RATE for start, _ in scale]
    timing = max(abs(onset - (onsets[0] + k * SCALE_STEP_MS)) for k, onset in enumerate(onsets))
    pitch = 0.0
    for (start, end), expected in zip(scale, SCALE):
        middle = x[start + RATE * 20 // 1000: min(end, start + RATE * 180 // 1000)]
        measured = crossing_frequency(middle)
        pitch = max(pitch, abs(measured / expected - 1) * 100)
        if abs(measured / expected - 1) > 0.005:
            fail(f"scale note at {start * 1000 / RATE:.1f} ms: {measured:.2f} Hz, not {expected} Hz")
    if timing > 1.0:
        fail(f"scale onsets {[round(o - onsets[0], 2) for o in onsets]} ms off the {SCALE_STEP_MS} ms grid by {timing:.2f} ms")
    print(f"phrase {phrase_ms:.1f} ms with its three voices; scale onsets within {timing:.3f} ms of the tempo,"
          f" frequencies within {pitch:.3f} %")


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a not in ("--raw", "--device")]
    if len(args) != 2 or args[0] != "example":
        sys.exit(__doc__)
    check_example(samples(args[1], "--raw" in sys.argv), "--device" in sys.argv)
