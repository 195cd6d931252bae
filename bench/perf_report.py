#!/usr/bin/env python3
"""The performance table: every figure beside a baseline measured in the same run.

  perf_report.py desktop BUILD OUT.json   start-up, idle CPU, key latency and the animating
                                          windows of the real program; run it under xvfb-run
                                          (it needs an X display and xdotool)
  perf_report.py zoom BUILD OUT.json SIZE ZOOM   one window of SIZE (640x400) animating at factor 1
                                          and at ZOOM (a factor, or "full" for full screen); run it
                                          under xvfb-run with a screen the zoomed window fits
  perf_report.py table BENCH.json DESKTOP.json [ZOOM.json|SOUND.json...]   prints the table as plain
                                          text; each further file adds its rows (zoom, sound or
                                          bench/python_bench.py's figures)
  perf_report.py notes BENCH.json DESKTOP.json LOADS   prints the notes on this run, every figure
                                          taken from it; LOADS: "label=1min,5min,15min;..."
"""
import json
import os
import re
import statistics
import subprocess
import sys
import textwrap
import time

STARTUP_RUNS = 9
LATENCY_PRESSES = 40
LOAD_WINDOWS = (1, 2, 4, 8)
IDLE_SECONDS = 10.0
TICKS = os.sysconf("SC_CLK_TCK")


# --- the desktop figures ---------------------------------------------------------------------

def launch(command, log, extra_env=None):
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)  # the real X display, as a user sees it
    env.update(extra_env or {})
    return subprocess.Popen(command, stdout=log, stderr=subprocess.DEVNULL, env=env)


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def wait_for_line(path, text, timeout=30.0):
    """Polls the log file every 2 ms; answers the time the line was first seen, or None."""
    deadline = time.perf_counter() + timeout
    while time.perf_counter() < deadline:
        with open(path, "rb") as f:
            if any(line.startswith(text.encode()) for line in f.read().splitlines()):
                return time.perf_counter()
        time.sleep(0.002)
    return None


def first_frame(command, extra_env, log_path):
    """Wall seconds and CPU seconds from launch to the first painted frame ("first frame" in the log)."""
    with open(log_path, "wb") as log:
        start = time.perf_counter()
        process = launch(command, log, extra_env)
        seen = wait_for_line(log_path, "first frame")
        cpu = cpu_ticks(process.pid) / TICKS if seen is not None else 0
        stop(process)
    # The programs write their own CPU time at the first frame, to the microsecond: the clock
    # ticks above are 10 ms apart and counted a little later.
    with open(log_path, "rb") as log:
        said = re.search(rb"^first frame, CPU (\d+) us", log.read(), re.M)
    if said:
        cpu = int(said.group(1)) / 1e6
    if seen is None:
        raise SystemExit(f"no first frame from {command[0]}")
    time.sleep(0.3)
    return seen - start, cpu


def startup(program, minimal, log_path):
    """Medians over alternating launches, so that both see the same load of the machine."""
    runs = {"program": [], "minimal": [], "menu": []}
    for _ in range(STARTUP_RUNS):
        runs["program"].append(first_frame([program], {"STANGENSPIEL_FIRST_FRAME": "1"}, log_path))
        runs["minimal"].append(first_frame([minimal], {}, log_path))
        runs["menu"].append(first_frame([minimal, "--menu"], {}, log_path))
    figures = {}
    for name, times in runs.items():
        figures[f"startup_{name}"] = statistics.median(t[0] for t in times)
        figures[f"startup_cpu_{name}"] = statistics.median(t[1] for t in times)
    return figures


def cpu_ticks(pid):
    """User plus system time of the whole process (all its threads) in clock ticks."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def cpu_share(pid, seconds=IDLE_SECONDS):
    before, start = cpu_ticks(pid), time.perf_counter()
    time.sleep(seconds)
    after, elapsed = cpu_ticks(pid), time.perf_counter() - start
    return (after - before) / TICKS / elapsed


def window_of(title):
    for _ in range(100):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.1)
    raise SystemExit(f"no visible window named {title}")


def latencies(probe, command, extra_env, log_path, ready, title, first_keys=(), probe_args=()):
    """Milliseconds from each key sent through XTest to the changed pixels read back through X.
    first_keys are typed before the probe starts (the puzzle's disk count)."""
    with open(log_path, "wb") as log:
        process = launch(command, log, extra_env)
        if wait_for_line(log_path, ready) is None:
            stop(process)
            raise SystemExit(f"{command[0]} did not get ready")
        time.sleep(0.5)
        window = str(int(window_of(title)))
        if first_keys:
            subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
            subprocess.run(["xdotool", "key", "--window", window, *first_keys], check=True)
            time.sleep(0.5)
        found = subprocess.run([probe, window, str(LATENCY_PRESSES), *probe_args],
                               capture_output=True, text=True, timeout=120)
        stop(process)
    times = [float(line.split()[1]) for line in found.stdout.splitlines() if line.startswith("latency ")]
    timeouts = sum(1 for line in found.stdout.splitlines() if line == "timeout")
    if len(times) < 30:
        raise SystemExit(f"key latency of {command[0]}: {len(times)} presses measured, {timeouts} timed out;"
                         f" {found.stderr.strip()}")
    times.sort()
    return {"median": statistics.median(times), "p95": times[int(0.95 * (len(times) - 1))],
            "presses": len(times), "timeouts": timeouts}


def xserver_pid():
    """The X server of $DISPLAY (Xvfb under xvfb-run), found by its command line; None when not seen."""
    display = os.environ.get("DISPLAY", "")
    if not display.startswith(":"):
        return None
    number = display.split(".")[0]
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                args = f.read().decode(errors="replace").split("\0")
        except OSError:
            continue
        if args and os.path.basename(args[0]) in ("Xvfb", "Xorg", "X") and number in args[1:]:
            return int(entry)
    return None


def animation(program, count, server):
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    if server:
        env["STANGENSPIEL_XSERVER_PID"] = str(server)
    out = subprocess.run([program, str(count), "4"], capture_output=True, text=True, env=env, timeout=120).stdout
    line = next((l for l in out.splitlines() if l.startswith("windows ")), None)
    if line is None:
        raise SystemExit(f"no figures from {program} {count}")
    fields = line.split()
    return {fields[i]: float(fields[i + 1]) for i in range(0, len(fields), 2)}


def window_load(program, minimal):
    """CPU per window (the process, and the X server drawing for it) and frames shown per second
    with 1, 2, 4 and 8 windows animating: the framework, and a bare Qt program doing the same,
    one after the other for each count so that both see the same load."""
    server = xserver_pid()
    rows = {}
    for count in LOAD_WINDOWS:
        rows[str(count)] = {"ours": animation(program, count, server), "minimal": animation(minimal, count, server)}
    return rows


def zoom_load(build, out_path, size, zoom):
    """The same animating window at factor 1 and zoomed (or full screen), one after the other."""
    program = os.path.join(build, "bench", "stangenspiel_window_load")
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    figures = {"size": size, "zoom": zoom, "screen": subprocess.run(
        ["xdpyinfo"], capture_output=True, text=True).stdout.split("dimensions:")[1].split()[0]}
    for name, factor in (("base", "1"), ("zoomed", zoom)):
        out = subprocess.run([program, "1", "4", size, factor], capture_output=True, text=True, env=env,
                             timeout=120).stdout
        line = next((l for l in out.splitlines() if l.startswith("windows ")), None)
        if line is None:
            raise SystemExit(f"no figures from {program} at {size}, zoom {factor}")
        fields = line.split()
        figures[name] = {fields[i]: float(fields[i + 1]) for i in range(0, len(fields), 2)}
    with open(out_path, "w") as f:
        json.dump(figures, f)


RECORDING_DEPTHS = (1, 4, 8, 16, 24, 32)
RECORDING_SECONDS = 4


def recording_load(program, folder):
    """CPU a recording adds to a 640 x 400 window animating at 30 Hz, per depth, and the size of
    its file beside ImageMagick's `convert -layers optimize` of the same frames."""
    rows = {}
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    for depth in RECORDING_DEPTHS:
        ours = os.path.join(folder, f"recording{depth}.gif")
        theirs = os.path.join(folder, f"optimized{depth}.gif")
        out = subprocess.run([program, str(depth), str(RECORDING_SECONDS), ours], capture_output=True, text=True,
                             env=env, timeout=120).stdout
        line = next((l for l in out.splitlines() if l.startswith("depth ")), None)
        if line is None:
            raise SystemExit(f"no figures from {program} {depth}")
        fields = line.split()
        row = {fields[i]: float(fields[i + 1]) for i in range(0, len(fields), 2)}
        subprocess.run(["convert", ours, "-coalesce", "-layers", "optimize", theirs], check=True, timeout=600)
        row["bytes_optimized"] = os.path.getsize(theirs)
        # Whether convert kept the colours: pixels of the first picture that differ from ours.
        compared = subprocess.run(["compare", "-metric", "AE", f"{ours}[0]", f"{theirs}[0]", "null:"],
                                  capture_output=True, text=True, timeout=60)
        row["pixels_changed"] = float(compared.stderr.split()[0]) if compared.stderr.strip() else -1
        rows[str(depth)] = row
    return rows


def desktop(build, out_path):
    program = os.path.join(build, "stangenspiel")
    minimal = os.path.join(build, "bench", "minimal_qt_window")
    probe = os.path.join(build, "bench", "stangenspiel_key_latency")
    log_path = os.path.join(os.path.dirname(out_path), "desktop.log")
    figures = startup(program, minimal, log_path)
    # The keyboard echo program prints every key it reads at the text cursor.
    figures["latency_program"] = latencies(probe, [program], {"STANGENSPIEL_ECHO": "1"}, log_path,
                                           "echo: ready", "^Stangenspiel$")
    figures["latency_minimal"] = latencies(probe, [minimal], {}, log_path, "first frame", "^Minimal$")
    # The puzzle's own move: nine disks, then every space moves one and rewrites the move line.
    try:
        figures["latency_puzzle"] = latencies(probe, [program], {"STANGENSPIEL_FIRST_FRAME": "1"}, log_path,
                                              "first frame", "^Stangenspiel$", ("9",), ("space", "last"))
    except SystemExit as failed:
        print(f"puzzle move latency not measured: {failed}", file=sys.stderr)
    figures["load"] = window_load(os.path.join(build, "bench", "stangenspiel_window_load"),
                                  os.path.join(build, "bench", "minimal_qt_animation"))
    figures["recording"] = recording_load(os.path.join(build, "bench", "stangenspiel_recording_load"),
                                          os.path.dirname(out_path))

    # The minimal window doing nothing: what a shown Qt window costs by itself.
    with open(log_path, "wb") as log:
        process = launch([minimal], log)
        wait_for_line(log_path, "first frame")
        time.sleep(1)
        figures["idle_minimal"] = cpu_share(process.pid)
        stop(process)

    with open(log_path, "wb") as log:
        process = launch([program], log, {"STANGENSPIEL_FIRST_FRAME": "1"})
        wait_for_line(log_path, "first frame")
        time.sleep(2)  # the puzzle prints its rules and waits at the disk-count prompt
        figures["idle_prompt"] = cpu_share(process.pid)
        window = window_of("^Stangenspiel$")
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        subprocess.run(["xdotool", "key", "--window", window, "--delay", "150",
                        "2", "space", "space", "space"], check=True)
        if wait_for_line(log_path, "t_QuitProgram: ") is None:
            raise SystemExit("the puzzle did not finish")
        time.sleep(1)
        figures["idle_finished"] = cpu_share(process.pid)
        stop(process)
    with open(out_path, "w") as f:
        json.dump(figures, f)


# --- the table --------------------------------------------------------------------------------

def counters(bench_path):
    with open(bench_path) as f:
        runs = json.load(f)["benchmarks"]
    return {run["name"]: run for run in runs}


def duration(seconds):
    if seconds >= 1:
        return f"{seconds:.2f} s"
    if seconds >= 1e-3:
        return f"{seconds * 1e3:.2f} ms"
    if seconds >= 1e-6:
        return f"{seconds * 1e6:.2f} us"
    return f"{seconds * 1e9:.1f} ns"


def rate(per_second, unit):
    if per_second >= 1e6:
        return f"{per_second / 1e6:.1f} M{unit}/s"
    return f"{per_second / 1e3:.0f} k{unit}/s"


def animated(run):
    """One animating-windows run: the process and the X server together per window, and the split."""
    server = run.get("xserver_per_window", -1)
    counted = server >= 0
    total = run["cpu_per_window"] + (server if counted else 0)
    split = (f"{run['cpu_per_window']:.2f} + X {server:.2f}" if counted
             else f"{run['cpu_per_window']:.2f}, X server not counted")
    return dict(run, total=total, split=split)


def sound_rows(runs, sound_path):
    """Mixer CPU, latency to the sound server and a scripted run's timing (bench/sound_report.py)."""
    with open(sound_path) as f:
        sound = json.load(f)
    rows = []
    mixer = runs.get("BM_MixerFourVoicesAndAFile/iterations:3", {})
    if "ours_us" in mixer:
        share = mixer["core_percent"]
        rows.append(("mixer, 4 voices + 1 file", f"{share:.2f} % of a core", "4 plain sine oscillators",
                     duration(mixer["base_us"] * 1e-6) + "/s", mixer["ours_us"] / mixer["base_us"], None,
                     f"goal 1 % of a core: {'yes' if share <= 1 else 'NO'}"))
    ours, base = sorted(sound["latency_program"]), sorted(sound["latency_minimal"])
    for label, pick in (("median", statistics.median), ("95th percentile", lambda v: v[int(0.95 * (len(v) - 1))])):
        goal = f"goal 30 ms: {'yes' if pick(ours) <= 30 else 'NO'}; " if label == "median" else ""
        rows.append((f"s_Sound to sound server, {label}", f"{pick(ours):.2f} ms", "minimal QAudioSink",
                     f"{pick(base):.2f} ms", pick(ours) / pick(base), None,
                     f"{goal}{len(ours)} tones, null sink monitor"))
    ours, base = sorted(sound["rested_program"]), sorted(sound["rested_minimal"])
    rows.append(("s_Sound after a quiet 1.5 s, median", f"{statistics.median(ours):.2f} ms", "minimal QAudioSink",
                 f"{statistics.median(base):.2f} ms", statistics.median(ours) / statistics.median(base), None,
                 f"{len(ours)} tones; our output rests after a quiet second, the baseline never"))
    timing = sound["scripted"]
    rows.append(("scripted WAV: note onsets", f"{timing['onset_ms']:.3f} ms", "the tempo's arithmetic", "0 ms", None,
                 None, f"goal 1 ms: {'yes' if timing['onset_ms'] <= 1 else 'NO'}; largest deviation"))
    rows.append(("scripted WAV: note frequencies", f"{timing['pitch_percent']:.3f} %", "equal temperament", "0 %",
                 None, None, f"goal 0.5 %: {'yes' if timing['pitch_percent'] <= 0.5 else 'NO'}; largest deviation"))
    return rows


def python_rows(rows, runs, python_path):
    """The Python module's rows: its g_Plot loop beside the same loop in C++ and beside a plain
    Python loop (their difference is the binding's cost per call), and a numpy fill."""
    with open(python_path) as f:
        py = json.load(f)
    plot, plain = py["plot_us"] * 1e-6, py["bytearray_us"] * 1e-6
    loop = runs.get("BM_PlotLoop32", {}).get("ours_us")
    calls = f"{rate(1 / plot, 'calls')}"
    if loop:
        rows.append(("Python g_Plot loop, per call", duration(plot), "the same loop in C++", duration(loop * 1e-6),
                     plot / (loop * 1e-6), None, f"{calls}; C++ {rate(1e6 / loop, 'calls')}"))
    cost = plot - plain
    rows.append(("Python g_Plot loop, per call", duration(plot), "Python loop into a bytearray", duration(plain),
                 plot / plain, None, f"binding {duration(cost)} a call: goal 1 us: {'yes' if cost <= 1e-6 else 'NO'}"))
    rows.append(("numpy into a 640x400x32 window", duration(py["fill_us"] * 1e-6), "memcpy 1,024,000 B",
                 duration(py["memcpy_us"] * 1e-6), py["fill_us"] / py["memcpy_us"], 2.0,
                 "through g_GraphicMemory, g_PictureChanged"))


def table(bench_path, desktop_path, extra_paths=()):
    runs = counters(bench_path)
    with open(desktop_path) as f:
        desk = json.load(f)
    rows = []  # figure, ours, baseline, its value, ratio, goal (ratio at most), note

    def bench_row(figure, name, baseline, goal=None, base_key="base_us", note=""):
        run = runs.get(name)
        if run is None or "ours_us" not in run or base_key not in run:
            rows.append((figure, "-", baseline, "-", None, goal, "not measured"))
            return
        ours, base = run["ours_us"] * 1e-6, run[base_key] * 1e-6
        rows.append((figure, duration(ours), baseline, duration(base), ours / base, goal, note))

    for depth in (1, 4, 8, 16, 24, 32):
        goal = {1: 1.0, 4: 2.0}.get(depth, 1.2)
        bench_row(f"window image 1280x800, {depth} bit", f"windowimage/{depth}", "memcpy 4,096,000 B", goal)
    bench_row("window image 1280x800, 24 bit", "windowimage/24", "Qt RGB888->RGB32", None, "qt_us")
    bench_row("zoomed picture 1280x800 at factor 2", "zoomedpicture", "memcpy 16,384,000 B", 1.5)
    bench_row("zoomed picture 1280x800 at factor 2", "zoomedpicture", "QPainter's own scaling", None, "qt_us")
    bench_row("character cell, 24 bit", "BM_GlyphCell24", "memcpy of its 32 rows", 4.0)
    print_run = runs.get("BM_PrintWithScrolling", {})
    bench_row("t_Print with scrolling, per char", "BM_PrintWithScrolling", "memcpy of a cell", None,
              note=rate(print_run["items_per_second"], "chars") if "items_per_second" in print_run else "")
    bench_row("full-width scroll 80x25", "BM_FullWidthScroll", "memmove graphic block", 1.5)
    line_run = runs.get("BM_LineDiagonal24", {})
    bench_row("g_Line over the diagonal", "BM_LineDiagonal24", "plain store loop", None,
              note=rate(line_run["items_per_second"], "px") if "items_per_second" in line_run else "")
    bench_row("g_Plot", "BM_Plot24", "one plain pixel store", None)
    startup_us = runs.get("BM_LzwPuzzleScreen", {}).get("base_startup_us")
    bench_row("LZW coder, puzzle screen", "BM_LzwPuzzleScreen", "compress -b16 - start-up", None,
              note=f"compress start-up {startup_us / 1e3:.2f} ms taken off" if startup_us else "")
    # The honest figure: on 4 MB compress's start-up is a few per cent of its time.
    large = runs.get("BM_LzwPuzzleScreens4MB", {})
    share = (large["base_startup_us"] / (large["base_us"] + large["base_startup_us"])
             if large.get("base_startup_us") and large.get("base_us") else None)
    bench_row("LZW coder, puzzle screen x 4 MB", "BM_LzwPuzzleScreens4MB", "compress -b16 - start-up", 1.0,
              note=f"one piece; compress start-up {share:.1%} of its time" if share is not None else "one piece")
    bench_row("LZW coder, 3 MB random", "BM_LzwRandom3MB", "compress -b16 - start-up", None,
              note="our dictionary never resets: full, every lookup misses; compress clears its own")
    bench_row("save-graphic compression", "BM_SavePuzzleScreen", "compress -b16 raw - start-up", 2.0)
    bench_row("opening a saved file", "BM_OpenSavedPuzzleScreen", "compress -d - start-up", None)

    rows.append(("start-up to first frame", duration(desk["startup_program"]), "minimal Qt window",
                 duration(desk["startup_minimal"]), desk["startup_program"] / desk["startup_minimal"], 1.2,
                 f"median of {STARTUP_RUNS}"))
    rows.append(("start-up CPU to first frame", duration(desk["startup_cpu_program"]), "minimal Qt window",
                 duration(desk["startup_cpu_minimal"]),
                 desk["startup_cpu_program"] / desk["startup_cpu_minimal"] if desk["startup_cpu_minimal"] else None,
                 1.2, "user+system, all threads"))
    if "startup_menu" in desk:  # the same window under a one-item menu bar: what any program with menus pays
        rows.append(("start-up to first frame", duration(desk["startup_program"]), "the same with a menu bar",
                     duration(desk["startup_menu"]), desk["startup_program"] / desk["startup_menu"], None,
                     f"median of {STARTUP_RUNS}"))
        rows.append(("start-up CPU to first frame", duration(desk["startup_cpu_program"]), "the same with a menu bar",
                     duration(desk["startup_cpu_menu"]),
                     desk["startup_cpu_program"] / desk["startup_cpu_menu"] if desk["startup_cpu_menu"] else None,
                     None, "user+system, all threads"))
    for key, figure in (("idle_prompt", "CPU waiting at the prompt"), ("idle_finished", "CPU, finished game")):
        ours, base = desk[key], desk["idle_minimal"]
        met = "yes" if ours <= 0.01 else "NO"
        rows.append((figure, f"{ours * 100:.2f} %", "idle minimal Qt window", f"{base * 100:.2f} %",
                     ours / base if base > 0 else None, None, f"goal 1 % of a core: {met}"))
    period = 1000 / 30
    ours, base = desk["latency_program"], desk["latency_minimal"]
    rows.append(("key to screen, median", f"{ours['median']:.2f} ms", "minimal Qt widget", f"{base['median']:.2f} ms",
                 ours["median"] / base["median"], 1.3,
                 f"goal 8 ms: {'yes' if ours['median'] <= 8 else 'NO'}; {ours['presses']} presses, XTest"))
    rows.append(("key to screen, 95th percentile", f"{ours['p95']:.2f} ms", "minimal Qt widget", f"{base['p95']:.2f} ms",
                 ours["p95"] / base["p95"], 1.5,
                 f"goal one period {period:.1f} ms: {'yes' if ours['p95'] <= period else 'NO'}"))
    puzzle = desk.get("latency_puzzle")
    for figure, key, goal in (("puzzle move to screen, median", "median", 1.3), ("puzzle move, 95th percentile", "p95", 1.5)):
        if puzzle is None:
            rows.append((figure, "-", "minimal Qt widget", "-", None, goal, "not measured"))
        else:
            rows.append((figure, f"{puzzle[key]:.2f} ms", "minimal Qt widget", f"{base[key]:.2f} ms",
                         puzzle[key] / base[key], goal, f"{puzzle['presses']} moves, XTest, the move line"))
    for count in LOAD_WINDOWS:
        ours, base = (animated(desk["load"][str(count)][k]) for k in ("ours", "minimal"))
        keeps = ours["fps_slowest"] >= 27
        rows.append((f"{count} window{'s' if count > 1 else ''} 640x400x32 at 30 Hz", f"{ours['total']:.2f} %/window",
                     "bare Qt, same windows", f"{base['total']:.2f} %", ours["total"] / base["total"] if base["total"] else None,
                     None, f"{ours['split']} against {base['split']}; {ours['fps_slowest']:.1f} frames/s slowest "
                     f"(bare Qt {base['fps_slowest']:.1f}): {'keeps' if keeps else 'LOSES'} its rate"))

    extras = []
    for path in extra_paths:
        with open(path) as f:
            extras.append((path, json.load(f)))
    for run in (run for _, run in extras if "zoom" in run):
        shown = "full screen" if run["zoom"] == "full" else f"at factor {run['zoom']}"
        ours, base = run["zoomed"], run["base"]
        keeps = ours["fps_slowest"] >= 27
        rows.append((f"{run['size']}x32 {shown} on {run['screen']}", f"{ours['cpu_per_window']:.2f} %",
                     "the same at factor 1", f"{base['cpu_per_window']:.2f} %",
                     ours["cpu_per_window"] / base["cpu_per_window"] if base["cpu_per_window"] else None, 2.0,
                     f"{ours['fps_slowest']:.1f} frames/s: {'keeps' if keeps else 'LOSES'} its rate"))

    for depth in RECORDING_DEPTHS:
        run = desk.get("recording", {}).get(str(depth))
        if run is None:
            continue
        share, limit = run["cpu_recording"] - run["cpu_plain"], 10 if depth <= 8 else 25
        rows.append((f"recording 640x400 at 30 Hz, {depth} bit", f"{share:.2f} %", "the animation unrecorded",
                     f"{run['cpu_plain']:.2f} %", None, None,
                     f"goal {limit} % of a core: {'yes' if share <= limit else 'NO'}; {run['frames']:.0f} frames drawn"))
        changed = run.get("pixels_changed", -1)
        kept = "convert's colours exact" if changed == 0 else f"convert changed {changed:.0f} pixels of the first picture"
        rows.append((f"recording file, {depth} bit", f"{run['bytes'] / 1024:.1f} KB", "convert -layers optimize",
                     f"{run['bytes_optimized'] / 1024:.1f} KB", run["bytes"] / run["bytes_optimized"], 1.0,
                     f"{RECORDING_SECONDS} s; {kept}"))

    for path, _ in (extra for extra in extras if "latency_program" in extra[1]):
        rows += sound_rows(runs, path)

    for path, _ in (extra for extra in extras if "plot_us" in extra[1]):
        python_rows(rows, runs, path)

    header = ("figure", "ours", "baseline", "baseline's", "ratio", "goal", "met / note")
    lines = []
    for figure, ours, baseline, base, ratio, goal, note in rows:
        ratio_text = "-" if ratio is None else f"{ratio:.2f}x"
        goal_text = "-" if goal is None else f"<= {goal:.1f}x"
        if goal is not None and ratio is not None:
            note = ("yes" if ratio <= goal else "NO") + (f"; {note}" if note else "")
        lines.append((figure, ours, baseline, base, ratio_text, goal_text, note))
    widths = [max(len(str(r[i])) for r in lines + [header]) for i in range(len(header))]
    out = [" | ".join(str(c).ljust(w) for c, w in zip(header, widths)).rstrip(),
           "-+-".join("-" * w for w in widths)]
    out += [" | ".join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip() for r in lines]
    print("\n".join(out))


# --- the notes --------------------------------------------------------------------------------

def parse_loads(text):
    """"start=0.12,0.30,0.50;desktop=..." -> [("start", (0.12, 0.30, 0.50)), ...]"""
    loads = []
    for part in filter(None, text.split(";")):
        label, values = part.split("=", 1)
        loads.append((label, tuple(float(v) for v in values.split(","))))
    return loads


def machine_note(loads):
    """Whether other work ran: judged by the load before the first measure, since the benchmarks'
    own thread counts in every later reading."""
    readings = "; ".join(f"{label} {' '.join(f'{v:.2f}' for v in values)}" for label, values in loads)
    first = loads[0][1]
    idle = first[0] < 0.5 and first[1] < 1.0
    verdict = ("The machine was idle when the run began (load below 0.5 over the last minute, below 1 over five)."
               if idle else
               "The machine was NOT idle when the run began: other work ran beside the measures, and the desktop "
               "figures (start-up, key to screen, CPU shares) read worse than on an idle machine.")
    return f"Load average (1, 5, 15 min): {readings}. {verdict}"


def notes(bench_path, desktop_path, loads_text):
    with open(desktop_path) as f:
        desk = json.load(f)
    runs = counters(bench_path)
    out = [machine_note(parse_loads(loads_text))]

    ours, base = desk["latency_program"], desk["latency_minimal"]
    out.append(f"**Key to screen.** Median {ours['median']:.2f} ms and 95th percentile {ours['p95']:.2f} ms over "
               f"{ours['presses']} presses ({ours['timeouts']} unanswered), against {base['median']:.2f} / "
               f"{base['p95']:.2f} ms for the bare Qt widget measured the same way "
               f"({ours['median'] / base['median']:.2f}x at the median).")

    out.append(f"**Start-up.** {desk['startup_program'] * 1e3:.1f} ms to the first frame against "
               f"{desk['startup_minimal'] * 1e3:.1f} ms for the minimal window (medians of {STARTUP_RUNS} "
               f"alternating launches); CPU {desk['startup_cpu_program'] * 1e3:.1f} against "
               f"{desk['startup_cpu_minimal'] * 1e3:.1f} ms."
               + (f" The minimal window under a one-item menu bar: {desk['startup_menu'] * 1e3:.1f} ms, CPU "
                  f"{desk['startup_cpu_menu'] * 1e3:.1f} ms." if "startup_menu" in desk else ""))

    out.append(f"**Idle CPU.** {desk['idle_prompt'] * 100:.2f} % of a core at the prompt and "
               f"{desk['idle_finished'] * 100:.2f} % after the game, against {desk['idle_minimal'] * 100:.2f} % "
               f"for the idle minimal window, each over {IDLE_SECONDS:.0f} s.")

    load = desk["load"]
    rows = [(count, animated(load[str(count)]["ours"]), animated(load[str(count)]["minimal"])) for count in LOAD_WINDOWS]
    ratios = [o["total"] / b["total"] for _, o, b in rows if b["total"]]
    counted = all(o["xserver_per_window"] >= 0 and b["xserver_per_window"] >= 0 for _, o, b in rows)
    text = ("**Animating windows.** Every window changes in every frame and is drawn whole; per window, "
            + ("the process and the X server together" if counted else "the process alone (the X server was not found)")
            + ": " + "; ".join(f"{count}: {o['total']:.2f} % against {b['total']:.2f} %" for count, o, b in rows)
            + f" for a bare Qt program animating the same windows from a QImage at 30 Hz"
            + (f" ({min(ratios):.2f}x to {max(ratios):.2f}x)." if ratios else "."))
    slowest = min(o["fps_slowest"] for _, o, _ in rows)
    text += f" The slowest of the framework's windows showed {slowest:.1f} frames/s."
    out.append(text)

    lzw = runs.get("BM_LzwRandom3MB", {})
    if "ours_us" in lzw and "base_us" in lzw:
        out.append(f"**LZW on 3 MB of random bytes.** {lzw['ours_us'] / 1e3:.1f} ms against "
                   f"{lzw['base_us'] / 1e3:.1f} ms for `compress -b16`: the format's dictionary never resets, so "
                   "once its 65,536 codes are taken every lookup misses, while compress clears its table when the "
                   "ratio drops.")
    print("\n\n".join(textwrap.fill(paragraph, width=100, break_on_hyphens=False) for paragraph in out))


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "desktop":
        desktop(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 6 and sys.argv[1] == "zoom":
        zoom_load(*sys.argv[2:6])
    elif len(sys.argv) >= 4 and sys.argv[1] == "table":
        table(sys.argv[2], sys.argv[3], sys.argv[4:])
    elif len(sys.argv) == 5 and sys.argv[1] == "notes":
        notes(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit(__doc__)
