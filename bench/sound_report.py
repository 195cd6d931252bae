#!/usr/bin/python3
"""The sound figures: latency through a real sound server and timing in a scripted run's WAV.

  sound_report.py measure BUILD OUT.json   starts its own PulseAudio with a null sink, records
                                           the sink's monitor with parec while the framework's
                                           probe and the minimal Qt sink play tones 400 ms
                                           apart (the output playing) and 1.5 s apart (ours
                                           resting between), and checks the music example's
                                           scripted WAV
Needs pulseaudio, pulseaudio-utils and numpy (tools/debian-packages.txt).
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

import numpy

RATE = 48000
TONES = 20        # a tone every 400 ms: the output keeps playing
RESTED_TONES = 10  # a tone every 1.5 s: the framework's output rests between them
THRESHOLD = 0.05  # of full scale: the probes' tones have 0.25
HERE = os.path.dirname(os.path.abspath(__file__))


class Pulse:
    """A PulseAudio server of its own in a private folder, with a null sink at 48 kHz as default."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="stangenspiel-pulse-")
        os.chmod(self.folder, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.folder, HOME=self.folder,
                        PULSE_RUNTIME_PATH=os.path.join(self.folder, "pulse"))
        self.env.pop("PULSE_SERVER", None)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env["QT_QPA_PLATFORM"] = "offscreen"
        # As root PulseAudio warns but runs; anonymous clients need no cookie in the empty home.
        self.server = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
             "--disable-shm=yes", "--load=module-native-protocol-unix auth-anonymous=1",
             "--load=module-null-sink sink_name=probe rate=48000"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if subprocess.run(["pactl", "info"], env=self.env, capture_output=True).returncode == 0:
                return
            time.sleep(0.1)
        self.stop()
        raise SystemExit("pulseaudio did not start")

    def stop(self):
        self.server.terminate()
        self.server.wait(timeout=10)
        shutil.rmtree(self.folder, ignore_errors=True)


class Recording:
    """parec on the null sink's monitor; every chunk noted with the monotonic time it arrived."""

    def __init__(self, pulse):
        self.process = subprocess.Popen(
            ["parec", "--device=probe.monitor", "--format=s16le", "--rate=48000", "--channels=2", "--raw",
             "--latency-msec=2"], env=pulse.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.data = bytearray()
        self.arrivals = []  # (monotonic seconds, frames received up to then)
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()

    def read(self):
        fd = self.process.stdout.fileno()
        while True:
            chunk = os.read(fd, 4096)
            if not chunk:
                return
            now = time.monotonic()
            self.data += chunk
            self.arrivals.append((now, len(self.data) // 4))

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.reader.join(timeout=10)

    def left(self):
        frames = len(self.data) // 4
        return numpy.frombuffer(bytes(self.data[:frames * 4]), dtype="<i2")[0::2].astype(numpy.float64) / 32768.0

    def time_of(self, frame):
        """When the recorder had the frame: its chunk's arrival (2 ms chunks while the server plays
        steadily; a server starting again after a rest sends its buffer at once)."""
        for arrived, frames in self.arrivals:
            if frames > frame:
                return arrived
        return None


def onsets(x):
    """First frame of each tone: loud after at least 100 ms of quiet."""
    loud = numpy.flatnonzero(numpy.abs(x) > THRESHOLD)
    if loud.size == 0:
        return []
    starts = [loud[0]] + [b for a, b in zip(loud[:-1], loud[1:]) if b - a > RATE // 10]
    return [int(s) for s in starts]


def latencies(pulse, command, tones):
    """Milliseconds from each "tone <ns>" line to its first frame at the monitor."""
    recording = Recording(pulse)
    time.sleep(0.5)
    run = subprocess.run(command, env=pulse.env, capture_output=True, text=True, timeout=120)
    time.sleep(0.5)
    recording.stop()
    asked = [int(line.split()[1]) / 1e9 for line in run.stdout.splitlines() if line.startswith("tone ")]
    found = onsets(recording.left())
    if len(asked) != tones or len(found) != tones:
        raise SystemExit(f"{command[0]}: {len(asked)} tones asked for, {len(found)} heard; {run.stderr[-500:]}")
    return [(recording.time_of(frame) - at) * 1000 for frame, at in zip(found, asked)]


def scripted_timing(build):
    """The music example's scripted WAV, as tests/e2e/scripted_runs.sh checks it."""
    with tempfile.TemporaryDirectory() as work:
        wav = os.path.join(work, "music.wav")
        subprocess.run([os.path.join(build, "examples", "example_music"), "--keys=asdfghjk{Escape}", "--pace=20",
                        f"--audio={wav}", "--timeout=60000"], capture_output=True, timeout=120, check=True)
        said = subprocess.run(["/usr/bin/python3", os.path.join(HERE, "..", "tests", "support", "sound_check.py"),
                               "example", wav], capture_output=True, text=True, check=True).stdout
    words = said.split()
    return {"onset_ms": float(words[words.index("within") + 1]), "pitch_percent": float(words[-2])}


def measure(build, out_path):
    pulse = Pulse()
    try:
        figures = {"latency_program": [], "latency_minimal": [], "rested_program": [], "rested_minimal": []}
        probe = os.path.join(build, "bench", "stangenspiel_sound_latency")
        minimal = os.path.join(build, "bench", "minimal_audio_sink")
        for _ in range(2):  # alternating, so that both meet the same load
            figures["latency_program"] += latencies(pulse, [probe, str(TONES), "400"], TONES)
            figures["latency_minimal"] += latencies(pulse, [minimal, str(TONES), "400"], TONES)
        figures["rested_program"] = latencies(pulse, [probe, str(RESTED_TONES), "1500"], RESTED_TONES)
        figures["rested_minimal"] = latencies(pulse, [minimal, str(RESTED_TONES), "1500"], RESTED_TONES)
    finally:
        pulse.stop()
    figures["scripted"] = scripted_timing(build)
    with open(out_path, "w") as f:
        json.dump(figures, f)
    for name in ("latency_program", "latency_minimal", "rested_program", "rested_minimal"):
        values = sorted(figures[name])
        print(f"{name}: median {statistics.median(values):.2f} ms, p95 {values[int(0.95 * (len(values) - 1))]:.2f} ms")
    print(f"scripted: {figures['scripted']}")


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "measure":
        measure(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
