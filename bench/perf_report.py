#!/usr/bin/env python3
"""The performance table: every figure beside a baseline measured in the same run.

  perf_report.py desktop BUILD OUT.json   start-up, idle CPU, key latency and the animating
                                          windows of the real program; run it under xvfb-run
                                          (it needs an X display and xdotool)
  perf_report.py table BENCH.json DESKTOP.json [PYTHON.json]   prints the table as plain text
                                          (PYTHON.json: bench/python_bench.py's figures)
"""
import json
import os
import re
import statistics
import subprocess
import sys
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
    runs = {"program": [], "minimal": []}
    for _ in range(STARTUP_RUNS):
        runs["program"].append(first_frame([program], {"STANGENSPIEL_FIRST_FRAME": "1"}, log_path))
        runs["minimal"].append(first_frame([minimal], {}, log_path))
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


def latencies(probe, command, extra_env, log_path, ready, title):
    """Milliseconds from each key sent through XTest to the changed pixels read back through X."""
    with open(log_path, "wb") as log:
        process = launch(command, log, extra_env)
        if wait_for_line(log_path, ready) is None:
            stop(process)
            raise SystemExit(f"{command[0]} did not get ready")
        time.sleep(0.5)
        found = subprocess.run([probe, str(int(window_of(title))), str(LATENCY_PRESSES)],
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


def window_load(program):
    """CPU per window and frames shown per second with 1, 2, 4 and 8 windows animating."""
    rows = {}
    for count in LOAD_WINDOWS:
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        out = subprocess.run([program, str(count), "4"], capture_output=True, text=True, env=env,
                             timeout=120).stdout
        line = next((l for l in out.splitlines() if l.startswith("windows ")), None)
        if line is None:
            raise SystemExit(f"no figures from {program} {count}")
        fields = line.split()
        rows[str(count)] = {fields[i]: float(fields[i + 1]) for i in range(0, len(fields), 2)}
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
    figures["load"] = window_load(os.path.join(build, "bench", "stangenspiel_window_load"))

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


def table(bench_path, desktop_path, python_path=None):
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
    bench_row("LZW coder, puzzle screen", "BM_LzwPuzzleScreen", "compress -b16 - start-up", 1.0,
              note=f"compress start-up {startup_us / 1e3:.2f} ms taken off" if startup_us else "")
    bench_row("LZW coder, 3 MB random", "BM_LzwRandom3MB", "compress -b16 - start-up", None,
              note="our dictionary never resets: full, every lookup misses; compress clears its own")
    bench_row("save-graphic compression", "BM_SavePuzzleScreen", "compress -b16 raw - start-up", 2.0)
    bench_row("opening a saved file", "BM_OpenSavedPuzzleScreen", "compress -d - start-up", None)

    rows.append(("start-up to first frame", duration(desk["startup_program"]), "minimal Qt window",
                 duration(desk["startup_minimal"]), desk["startup_program"] / desk["startup_minimal"], 1.5,
                 f"median of {STARTUP_RUNS}"))
    rows.append(("start-up CPU to first frame", duration(desk["startup_cpu_program"]), "minimal Qt window",
                 duration(desk["startup_cpu_minimal"]),
                 desk["startup_cpu_program"] / desk["startup_cpu_minimal"] if desk["startup_cpu_minimal"] else None,
                 1.5, "user+system, all threads"))
    for key, figure in (("idle_prompt", "CPU waiting at the prompt"), ("idle_finished", "CPU, finished game")):
        ours, base = desk[key], desk["idle_minimal"]
        met = "yes" if ours <= 0.01 else "NO"
        rows.append((figure, f"{ours * 100:.2f} %", "idle minimal Qt window", f"{base * 100:.2f} %",
                     ours / base if base > 0 else None, None, f"goal 1 % of a core: {met}"))
    period = 1000 / 30
    ours, base = desk["latency_program"], desk["latency_minimal"]
    rows.append(("key to screen, median", f"{ours['median']:.2f} ms", "minimal Qt widget", f"{base['median']:.2f} ms",
                 ours["median"] / base["median"], None,
                 f"goal 8 ms: {'yes' if ours['median'] <= 8 else 'NO'}; {ours['presses']} presses, XTest"))
    rows.append(("key to screen, 95th percentile", f"{ours['p95']:.2f} ms", "minimal Qt widget", f"{base['p95']:.2f} ms",
                 ours["p95"] / base["p95"], None,
                 f"goal one period {period:.1f} ms: {'yes' if ours['p95'] <= period else 'NO'}"))
    load = desk["load"]
    single = load[str(LOAD_WINDOWS[0])]["cpu_per_window"]
    for count in LOAD_WINDOWS:
        run = load[str(count)]
        keeps = run["fps_slowest"] >= 27
        rows.append((f"{count} window{'s' if count > 1 else ''} 640x400x32 at 30 Hz", f"{run['cpu_per_window']:.2f} %/window",
                     "1 window, per window", f"{single:.2f} %", run["cpu_per_window"] / single if single else None,
                     1.2, f"{run['fps_slowest']:.1f} frames/s slowest, {run['fps_mean']:.1f} mean: "
                     f"{'keeps' if keeps else 'LOSES'} its rate"))

    if python_path:
        python_rows(rows, runs, python_path)

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


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "desktop":
        desktop(sys.argv[2], sys.argv[3])
    elif len(sys.argv) in (4, 5) and sys.argv[1] == "table":
        table(*sys.argv[2:])
    else:
        sys.exit(__doc__)
