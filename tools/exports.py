#!/usr/bin/python3
"""What the shared library exports: exactly the calls its public header declares.

The header is the one list of the public interface. Every declaration marked STANGENSPIEL_API
is turned into a reference that the compiler resolves (overloads and template specialisations
included); the compiled references name the exact linker symbols. From them:

    exports.py map    --header H --compiler CXX --nm NM --output FILE   the linker version script
    exports.py check  --header H --compiler CXX --nm NM --library SO    nm -D of SO against them

so that a call added to the header is exported without editing anything else, and anything else
the library would export (template instantiations of the standard library, typeinfo, internal
calls) is refused by the check.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

VERSION_NODE = "STANGENSPIEL_0"
MARK = "STANGENSPIEL_API"
OPENERS, CLOSERS = "(<[{", ")>]}"


def code_of(header_text):
    """The header without comments, preprocessor lines and string contents, as one line."""
    out = []
    for line in header_text.splitlines():
        if line.lstrip().startswith("#"):
            continue
        text, quote, i = [], None, 0
        while i < len(line):
            c = line[i]
            if quote:
                if c == "\\":
                    i += 2
                    continue
                if c == quote:
                    quote = None
                    text.append(c)
            elif c in "\"'":
                quote = c
                text.append(c)
            elif line.startswith("//", i):
                break
            else:
                text.append(c)
            i += 1
        out.append("".join(text))
    return " ".join(out)


def split_top(text, separator):
    """Splits at the separator where no bracket is open."""
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        if c in OPENERS:
            depth += 1
        elif c in CLOSERS:
            depth -= 1
        elif c == separator and depth == 0:
            parts.append(text[start:i])
            start = i + 1
    parts.append(text[start:])
    return parts


def declarations(header_text):
    """Each marked declaration as (template prefix, its text after the mark), up to its ';'."""
    code = code_of(header_text)
    found = []
    for m in re.finditer(r"\b" + MARK + r"\b", code):
        end = code.index(";", m.end())
        prefix = code[max(0, m.start() - 20):m.start()]
        specialised = re.search(r"template\s*<\s*>\s*$", prefix) is not None
        found.append((specialised, " ".join(code[m.end():end].split())))
    return found


def reference(specialised, text):
    """A C++ expression naming the declared entity exactly: an address cast to its own type."""
    depth = 0
    for i, c in enumerate(text):
        if c in "<":
            depth += 1
        elif c in ">":
            depth -= 1
        elif c == "(" and depth == 0:
            break
    else:
        # A variable: its address is reference enough.
        name = text.split()[-1]
        return f"&{name}"
    head, rest = text[:i].strip(), text[i:]
    # The parameter list closes at its matching parenthesis; qualifiers may follow it.
    depth = 0
    for j, c in enumerate(rest):
        depth += c == "("
        depth -= c == ")"
        if depth == 0:
            break
    parameters, after = rest[1:j], rest[j + 1:].strip()
    name_match = re.search(r"([A-Za-z_]\w*(?:\s*<[^()]*>)?)$", head)
    if not name_match or not head[:name_match.start()].strip():
        raise SystemExit(f"exports: cannot read the declaration '{MARK} {text}'")
    name, result = name_match.group(1), head[:name_match.start()].strip()
    if specialised and "<" not in name:
        raise SystemExit(f"exports: a specialisation without its arguments: '{text}'")
    kept = [split_top(p, "=")[0].strip() for p in split_top(parameters, ",")] if parameters.strip() else []
    noexcept = " noexcept" if after.startswith("noexcept") else ""
    return f"static_cast<{result} (*)({', '.join(kept)}){noexcept}>(&{name})"


def probe_source(header, declared):
    lines = [f'#include "{os.path.abspath(header)}"', "", "void* const stangenspiel_exports_probe[] = {"]
    lines += [f"    reinterpret_cast<void*>({reference(s, t)})," for s, t in declared]
    lines.append("};")
    return "\n".join(lines) + "\n"


def expected_symbols(header, compiler, nm):
    """The linker names of every declaration in the header, found by compiling references to them."""
    with open(header, encoding="utf-8") as f:
        declared = declarations(f.read())
    if not declared:
        raise SystemExit(f"exports: no {MARK} declaration in {header}")
    with tempfile.TemporaryDirectory() as work:
        source, obj = os.path.join(work, "probe.cpp"), os.path.join(work, "probe.o")
        with open(source, "w", encoding="utf-8") as f:
            f.write(probe_source(header, declared))
        compiled = subprocess.run([compiler, "-std=c++20", "-O0", "-c", source, "-o", obj],
                                  capture_output=True, text=True)
        if compiled.returncode != 0:
            raise SystemExit("exports: the header's declarations did not compile as references:\n"
                             + compiled.stderr)
        listed = subprocess.run([nm, "--undefined-only", "--format=posix", obj],
                                capture_output=True, text=True, check=True).stdout
    symbols = {line.split()[0] for line in listed.splitlines() if line.strip()}
    # Two declarations of one call name one symbol; fewer names than that would be a misreading.
    if len(symbols) < len({t for _, t in declared}):
        raise SystemExit(f"exports: {len(declared)} declarations gave only {len(symbols)} symbols")
    return symbols


def exported_symbols(library, nm):
    """The defined dynamic symbols of a shared library, without their version suffix."""
    run = subprocess.run([nm, "--dynamic", "--defined-only", "--format=posix", library], capture_output=True, text=True)
    if run.returncode != 0:
        raise SystemExit(f"exports: nm cannot read {library}: {run.stderr.strip()}")
    symbols = set()
    listed = run.stdout
    for line in listed.splitlines():
        fields = line.split()
        if len(fields) < 2:
            continue
        name, kind = fields[0].split("@")[0], fields[1]
        if kind == "A" and name == VERSION_NODE:
            continue  # the version node itself, which the linker lists as an absolute symbol
        symbols.add(name)
    return symbols


def demangled(names):
    if not names:
        return []
    out = subprocess.run(["c++filt"], input="\n".join(sorted(names)), capture_output=True, text=True)
    return out.stdout.splitlines() if out.returncode == 0 else sorted(names)


def write_map(symbols, output):
    text = VERSION_NODE + " {\n  global:\n" + "".join(f"    {s};\n" for s in sorted(symbols)) + \
        "  local:\n    *;\n};\n"
    # Rewritten only when it changes, so that the library is relinked only then.
    if os.path.exists(output):
        with open(output, encoding="utf-8") as f:
            if f.read() == text:
                return
    with open(output + ".new", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(output + ".new", output)


def check(expected, library, nm):
    actual = exported_symbols(library, nm)
    missing, extra = expected - actual, actual - expected
    for title, names in (("missing (declared, not exported)", missing), ("extra (exported, not declared)", extra)):
        if names:
            print(f"exports: {len(names)} {title}:")
            for name in demangled(names):
                print(f"  {name}")
    if missing or extra:
        return 1
    print(f"exports: {len(actual)} symbols, exactly the {len(expected)} calls of the header")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("action", choices=["map", "check", "list"])
    parser.add_argument("--header", required=True)
    parser.add_argument("--compiler", default="c++")
    parser.add_argument("--nm", default="nm")
    parser.add_argument("--output", help="map: the version script to write")
    parser.add_argument("--library", help="check: the shared library")
    args = parser.parse_args()
    expected = expected_symbols(args.header, args.compiler, args.nm)
    if args.action == "map":
        if not args.output:
            parser.error("map needs --output")
        write_map(expected, args.output)
    elif args.action == "list":
        print("\n".join(demangled(expected)))
    else:
        if not args.library:
            parser.error("check needs --library")
        sys.exit(check(expected, args.library, args.nm))


if __name__ == "__main__":
    main()
