#!/usr/bin/env python3
"""Sampled mutation testing of the framework's sources.

Each mutant changes one site of one source file (a flipped comparison, an off-by-one constant,
decimal or hexadecimal, a swapped + or -, a negated condition, a dropped statement), rebuilds the
test program of that file's folder in its own build folder, runs that folder's tests with a time
limit and restores the file. A mutant the tests still pass is a fault they would not notice. A
mutant whose tests run out of time is run once more: on a loaded machine a slow test is no proof
of a fault found, so a second timeout is reported on its own line and not counted as a kill.

The sample is chosen once with a fixed seed and saved (file, the original line's text, the
mutation), so that a later run replays the same sites even after lines moved; a site whose line
no longer exists is skipped and reported.

    tools/mutants.sh                       replay tools/mutants-sample.txt
    tools/mutants.sh --new-sample          choose a new sample (--seed, --count) and save it
    tools/mutants.sh --folders text,graphics --limit 20 --budget 30
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["core", "app", "windows", "text", "graphics", "events", "auxwindows", "host", "sound", "recording"]
# Tests mirror the source folders; a folder whose faults show first in another folder's tests
# lists that one too: lines drawn into a window are noticed by the refresh tests, the host's
# menus are driven by the event tests, and the text windows' layout is seen in the host's views.
TEST_FOLDERS = {"host": ["host", "windows", "events"], "graphics": ["graphics", "windows"], "app": ["app", "host"]}
SKIPPED_FILES = {"app/main.cpp"}

KEYWORDS_NOT_STATEMENTS = ("return", "break", "continue", "case", "default", "goto", "throw",
                           "co_return", "using", "namespace", "template", "typedef", "static_assert")


@dataclass
class Site:
    file: str          # relative to the source root
    occurrence: int    # which of the identical lines of the file (1-based)
    kind: str          # cmp, eq, const, arith, negate, drop
    index: int         # which match of the pattern on the line (1-based)
    before: str        # the text replaced
    after: str         # its replacement
    text: str          # the original line, stripped

    def describe(self):
        return f"{self.kind}: '{self.before}' -> '{self.after}'" if self.kind != "drop" else "drop statement"

    def to_line(self):
        return "\t".join([self.file, str(self.occurrence), self.kind, str(self.index),
                          self.before, self.after, self.text])

    @staticmethod
    def from_line(line):
        file, occ, kind, index, before, after, text = line.rstrip("\n").split("\t", 6)
        return Site(file, int(occ), kind, int(index), before, after, text)


# --- finding sites -------------------------------------------------------------------------------

def code_only(line):
    """The line with string and character literals blanked and comments cut, same length, so that
    positions found in it are positions in the line."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("__")
                i += 2
                continue
            out.append(c if c == quote else "_")
            if c == quote:
                quote = None
        elif c in "\"'":
            # a digit separator (1'000) is not a quote
            if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < len(line) and line[i + 1].isalnum():
                out.append(c)
            else:
                quote = c
                out.append(c)
        elif line.startswith("//", i) or line.startswith("/*", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[:len(line)].ljust(len(line))


def hexplusone(literal):
    """0x7F -> 0x80, 0xff -> 0x100: the next value in the literal's own letter case, at least as
    many digits as before, so that a mask stays recognisable in the report."""
    digits = literal[2:].replace("'", "")
    text = format(int(digits, 16) + 1, "x").rjust(len(digits), "0")
    return literal[:2] + (text.upper() if digits.upper() == digits else text)


PATTERNS = [
    # (kind, regex on the code-only line, replacement of the matched text)
    ("cmp", re.compile(r"(?<=\s)<=(?=\s)"), lambda m: "<"),
    ("cmp", re.compile(r"(?<=\s)>=(?=\s)"), lambda m: ">"),
    ("cmp", re.compile(r"(?<=\s)<(?=\s)"), lambda m: "<="),
    ("cmp", re.compile(r"(?<=\s)>(?=\s)"), lambda m: ">="),
    ("eq", re.compile(r"(?<=\s)==(?=\s)"), lambda m: "!="),
    ("eq", re.compile(r"(?<=\s)!=(?=\s)"), lambda m: "=="),
    ("arith", re.compile(r"(?<=\s)\+(?=\s)"), lambda m: "-"),
    ("arith", re.compile(r"(?<=\s)-(?=\s)"), lambda m: "+"),
    ("arith", re.compile(r"(?<=\s)\+=(?=\s)"), lambda m: "-="),
    ("arith", re.compile(r"(?<=\s)-=(?=\s)"), lambda m: "+="),
    ("const", re.compile(r"(?<![\w.])\d+(?![\w.'])"), lambda m: str(int(m.group(0)) + 1)),
    ("const", re.compile(r"(?<![\w.'])0[xX][0-9A-Fa-f']+(?=[uUlL]*(?![\w.']))"), lambda m: hexplusone(m.group(0))),
]
NEGATABLE = re.compile(r"\b(if|while)\s*\(")
STATEMENT = re.compile(r"^[A-Za-z_]([\w:.\[\]]|->)*(\(|\s*(=|\+=|-=|\|=|&=)\s|\+\+|--)")


def condition_span(code, start):
    """The span inside the parentheses opening at `start`, if they close on this line."""
    depth = 0
    for i in range(start, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return start + 1, i
    return None


def joins_text(code, start, end):
    """A + between strings joins text; its minus would not even build."""
    before, after = code[:start].rstrip(), code[end:].lstrip()
    return before.endswith(('"', ")")) and ("to_string(" in before[-40:] or before.endswith('"')) \
        or after.startswith(('"', "std::to_string")) or before.endswith("'") or after.startswith("'")


def line_sites(code):
    """Every (kind, before, after, start, end) mutation of one code-only line."""
    found = []
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or stripped.startswith("static_assert"):
        return found
    for kind, regex, replace in PATTERNS:
        for m in regex.finditer(code):
            if kind == "arith" and joins_text(code, m.start(), m.end()):
                continue
            found.append((kind, m.group(0), replace(m), m.start(), m.end()))
    for m in NEGATABLE.finditer(code):
        span = condition_span(code, m.end() - 1)
        if span and not code[span[0]:span[1]].lstrip().startswith(("constexpr", "auto ", "const ")) \
                and ";" not in code[span[0]:span[1]]:
            cond = code[span[0]:span[1]]
            found.append(("negate", cond, f"!({cond})", span[0], span[1]))
    return found


def is_droppable(code, previous):
    s = code.strip()
    if not s.endswith(";") or s.startswith(KEYWORDS_NOT_STATEMENTS):
        return False
    if s.count("(") != s.count(")") or s.count("{") != s.count("}"):
        return False
    prev = previous.strip()
    if prev and not prev.endswith((";", "{", "}", ":")) and not prev.startswith("//"):
        return False
    return bool(STATEMENT.match(s))


def source_files(root):
    files = []
    for folder in FOLDERS:
        for path in sorted((root / folder).rglob("*.cpp")):
            rel = path.relative_to(root).as_posix()
            if rel not in SKIPPED_FILES:
                files.append(rel)
    return files


def all_sites(root):
    sites = []
    for rel in source_files(root):
        lines = (root / rel).read_text(encoding="utf-8").splitlines()
        seen = {}
        in_block_comment = False
        previous = ""
        for raw in lines:
            text = raw.strip()
            seen[text] = seen.get(text, 0) + 1
            if in_block_comment:
                in_block_comment = "*/" not in raw
                continue
            if text.startswith("/*"):
                in_block_comment = "*/" not in raw
                continue
            code = code_only(raw)
            counts = {}
            for kind, before, after, start, end in sorted(line_sites(code), key=lambda s: (s[0], s[3])):
                key = (kind, before)
                counts[key] = counts.get(key, 0) + 1
                sites.append(Site(rel, seen[text], kind, counts[key], before, after, text))
            if is_droppable(code, previous):
                sites.append(Site(rel, seen[text], "drop", 1, text, "", text))
            if text and not text.startswith("//"):
                previous = code
    return sites


def wanted_site(site, wanted):
    """A folder ("text") or a file or path prefix ("text/line_input") names the sites it holds."""
    return not wanted or folder_of(site.file) in wanted or any(site.file.startswith(w) for w in wanted)


def choose_sample(root, seed, count, wanted=()):
    """An equal share of each kind of mutation (constants alone would otherwise be half of it),
    drawn with a fixed seed from the wanted folders and files."""
    sites = [s for s in all_sites(root) if wanted_site(s, wanted)]
    rng = random.Random(seed)
    by_kind = {}
    for site in sites:
        by_kind.setdefault(site.kind, []).append(site)
    for kind in sorted(by_kind):
        rng.shuffle(by_kind[kind])
    chosen = []
    while len(chosen) < min(count, len(sites)):
        for kind in sorted(by_kind):
            if by_kind[kind] and len(chosen) < count:
                chosen.append(by_kind[kind].pop())
    chosen.sort(key=lambda s: (s.file, s.text, s.kind, s.index))
    return chosen, len(sites)


# --- applying one mutant -------------------------------------------------------------------------

def locate(root, site):
    """(line number, mutated file text) for a site, or None when its line is gone."""
    path = root / site.file
    if not path.exists():
        return None
    lines = path.read_text(encoding="utf-8").splitlines(keepends=True)
    occurrence = 0
    for number, raw in enumerate(lines):
        if raw.strip() != site.text:
            continue
        occurrence += 1
        if occurrence != site.occurrence:
            continue
        if site.kind == "drop":
            indent = raw[:len(raw) - len(raw.lstrip())]
            lines[number] = indent + ";  // mutant: statement dropped\n"
            return number + 1, "".join(lines)
        code = code_only(raw.rstrip("\n"))
        matches = [s for s in sorted(line_sites(code), key=lambda s: (s[0], s[3]))
                   if s[0] == site.kind and s[1] == site.before]
        if len(matches) < site.index:
            return None
        _, _, after, start, end = matches[site.index - 1]
        lines[number] = raw[:start] + after + raw[end:]
        return number + 1, "".join(lines)
    return None


class Restorer:
    """Keeps the original of the file being mutated on disk too, so that even a killed run is
    mended by the next one."""

    def __init__(self, build):
        self.backup = build / "mutant-original"
        self.target = build / "mutant-target"
        self.path = None
        self.original = None

    def recover(self):
        if self.backup.exists() and self.target.exists():
            path = Path(self.target.read_text())
            shutil.copyfile(self.backup, path)
            print(f"restored {path} from an interrupted run")
        self.backup.unlink(missing_ok=True)
        self.target.unlink(missing_ok=True)

    def apply(self, path, text):
        self.path, self.original = path, path.read_bytes()
        self.backup.write_bytes(self.original)
        self.target.write_text(str(path))
        path.write_text(text, encoding="utf-8")

    def restore(self):
        if self.path is not None:
            self.path.write_bytes(self.original)
            self.path = None
        self.backup.unlink(missing_ok=True)
        self.target.unlink(missing_ok=True)


def run(command, timeout, log):
    """Runs a command in its own process group; (return code or 'timeout', output)."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               start_new_session=True, text=True, errors="replace")
    try:
        out, _ = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        out, _ = process.communicate()
        log.write(out)
        return "timeout", out
    except BaseException:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        raise
    log.write(out)
    return process.returncode, out


def folder_of(rel):
    return rel.split("/", 1)[0]


def test_folders(rel):
    folder = folder_of(rel)
    return TEST_FOLDERS.get(folder, [folder])


def configure(root, build, jobs, log):
    env_launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
    # Unoptimised, without debug information: a mutant costs one compile and one link, and both
    # are several times faster this way. Tests are listed when they run, not after every link.
    code, _ = run(["cmake", "-S", str(root), "-B", str(build), "-G", "Ninja",
                   "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0",
                   "-DSTANGENSPIEL_BENCH=OFF",
                   "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"] + env_launcher,
                  600, log)
    return code == 0


def build_and_test(build, folders, jobs, timeout, log):
    """killed, survived, unbuilt, or timeout when the tests ran out of time twice in a row."""
    targets = [f"test_{f}" for f in folders]
    code, _ = run(["cmake", "--build", str(build), "-j", str(jobs), "--target"] + targets, 1800, log)
    if code != 0:
        return "unbuilt"
    outcome = run_tests(build, folders, jobs, timeout, log)
    if outcome == "timeout":
        log.write("--- timed out; once more\n")
        outcome = run_tests(build, folders, jobs, timeout, log)
    return outcome


def run_tests(build, folders, jobs, timeout, log):
    label = "^(" + "|".join(folders) + ")$"
    # Only the test programs' own cases (Suite.Case): scripts under the same label need builds
    # and installs of their own.
    code, out = run(["ctest", "--test-dir", str(build), "-L", label, "-E", r"^[^.]*$", "-j", str(jobs),
                     "--timeout", str(timeout), "--stop-on-failure"],
                    timeout * 20 + 60, log)
    if code == "timeout" or "***Timeout" in out:
        return "timeout"
    return "survived" if code == 0 else "killed"


# --- the run -------------------------------------------------------------------------------------

def read_sample(path):
    sites = []
    for line in path.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            sites.append(Site.from_line(line))
    return sites


def write_sample(path, sites, seed, total):
    with path.open("w", encoding="utf-8") as out:
        out.write(f"# mutation sample: seed {seed}, {len(sites)} of {total} sites\n")
        out.write("# file\tidentical-line occurrence\tkind\tmatch on the line\tbefore\tafter\toriginal line\n")
        for site in sites:
            out.write(site.to_line() + "\n")


def main():
    parser = argparse.ArgumentParser(description="Sampled mutation testing of the framework.")
    parser.add_argument("--source", type=Path, default=ROOT, help="source tree (default: this checkout)")
    parser.add_argument("--build", type=Path, help="build folder (default: <source>/build-mutants)")
    parser.add_argument("--sample", type=Path, default=ROOT / "tools" / "mutants-sample.txt")
    parser.add_argument("--new-sample", action="store_true", help="choose and save a new sample first")
    parser.add_argument("--seed", type=int, default=19)
    parser.add_argument("--count", type=int, default=80)
    parser.add_argument("--folders", help="only sites in these comma-separated folders or files (path prefixes)")
    parser.add_argument("--limit", type=int, help="run at most this many mutants")
    parser.add_argument("--previous", type=Path, help="a result table of an earlier run, to pick sites by")
    parser.add_argument("--outcome", default="killed,timeout",
                        help="with --previous: only sites that had these outcomes (default killed,timeout)")
    parser.add_argument("--list", action="store_true", help="only show where each site is now")
    parser.add_argument("--budget", type=float, help="start no mutant after this many minutes")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test")
    parser.add_argument("--results", type=Path, help="result table (default: <build>/mutants-results.txt)")
    args = parser.parse_args()

    root = args.source.resolve()
    build = (args.build or root / "build-mutants").resolve()
    build.mkdir(parents=True, exist_ok=True)
    os.environ["CCACHE_BASEDIR"] = str(root)  # compiles of other checkouts count as hits
    wanted = set(args.folders.split(",")) if args.folders else set()
    if args.new_sample:
        sites, total = choose_sample(root, args.seed, args.count, wanted)
        write_sample(args.sample, sites, args.seed, total)
        print(f"chose {len(sites)} of {total} sites into {args.sample}")
    sites = [s for s in read_sample(args.sample) if wanted_site(s, wanted)]
    if args.previous:
        outcomes = set(args.outcome.split(","))
        picked = set()
        for line in args.previous.read_text(encoding="utf-8").splitlines():
            if line and not line.startswith("#"):
                outcome, _, siteline = line.split("\t", 2)
                if outcome in outcomes:
                    picked.add(siteline)
        sites = [s for s in sites if s.to_line() in picked]
    if args.limit is not None:
        sites = sites[:args.limit]
    if args.list:
        for site in sites:
            found = locate(root, site)
            where = f"{site.file}:{found[0]}" if found else f"{site.file}: line gone"
            print(f"{where}  {site.describe()}  | {site.text}")
        return
    if not sites:
        sys.exit("mutants: no site to run")

    restorer = Restorer(build)
    restorer.recover()
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    signal.signal(signal.SIGHUP, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    log = (build / "mutants.log").open("w", encoding="utf-8")
    if not configure(root, build, args.jobs, log):
        sys.exit("mutants: cmake could not configure " + str(build))
    # A clean build first, so that a mutant's time is its own and a broken tree is seen as such.
    every = sorted({f for s in sites for f in test_folders(s.file)})
    clean = build_and_test(build, every, args.jobs, args.timeout, log)
    if clean != "survived":
        sys.exit(f"mutants: the unmutated tests do not pass ({clean}); see {build / 'mutants.log'}")

    results, started = [], time.monotonic()
    try:
        for number, site in enumerate(sites, 1):
            if args.budget and time.monotonic() - started > args.budget * 60:
                print(f"time budget spent after {number - 1} mutants")
                break
            found = locate(root, site)
            if found is None:
                results.append((site, None, "vanished"))
                print(f"[{number}/{len(sites)}] {site.file}: line gone: {site.text}", flush=True)
                continue
            line, text = found
            log.write(f"\n=== mutant {number}: {site.file}:{line} {site.describe()}\n")
            restorer.apply(root / site.file, text)
            try:
                outcome = build_and_test(build, test_folders(site.file), args.jobs, args.timeout, log)
            finally:
                restorer.restore()
            results.append((site, line, outcome))
            print(f"[{number}/{len(sites)}] {outcome:8} {site.file}:{line} {site.describe()}", flush=True)
    except KeyboardInterrupt:
        print("interrupted; the source is restored")
    finally:
        restorer.restore()
        log.close()
    report(results, args.results or build / "mutants-results.txt", time.monotonic() - started)


def report(results, path, seconds):
    tally = {}
    for _, _, outcome in results:
        tally[outcome] = tally.get(outcome, 0) + 1
    killed, survived, timedout = (tally.get(k, 0) for k in ("killed", "survived", "timeout"))
    decided = killed + survived
    lines = [f"mutants run: {len(results)} in {seconds / 60:.0f} min; "
             + ", ".join(f"{k} {v}" for k, v in sorted(tally.items()))]
    if decided:
        lines.append(f"kill rate: {killed}/{decided} = {100 * killed / decided:.1f}% "
                     f"(killed against killed + survived; {timedout} timed out twice, "
                     f"unbuilt and vanished are left out)")
    survivors = [(s, line) for s, line, outcome in results if outcome == "survived"]
    if survivors:
        lines.append("survivors:")
        lines += [f"  {s.file}:{line}  {s.describe()}  | {s.text}" for s, line in survivors]
    slow = [(s, line) for s, line, outcome in results if outcome == "timeout"]
    if slow:
        lines.append("timed out twice (neither killed nor survived: run them alone with a longer --timeout):")
        lines += [f"  {s.file}:{line}  {s.describe()}  | {s.text}" for s, line in slow]
    vanished = [s for s, _, outcome in results if outcome == "vanished"]
    if vanished:
        lines.append("vanished sites:")
        lines += [f"  {s.file}  {s.describe()}  | {s.text}" for s in vanished]
    text = "\n".join(lines) + "\n"
    print(text, end="")
    with path.open("w", encoding="utf-8") as out:
        out.write("".join("# " + l + "\n" for l in text.splitlines()))
        out.write("# outcome\tfile:line\tsample line\n")
        for site, line, outcome in results:
            out.write(f"{outcome}\t{site.file}:{line}\t{site.to_line()}\n")


if __name__ == "__main__":
    main()
