"""The export check on a small header: it tells a library that exports too much or too little. (The
build checks the real library against the real header, every kind of declaration it uses.)"""
import contextlib
import io
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import exports  # noqa: E402

COMPILER = os.environ.get("STANGENSPIEL_CXX", "c++")

HEADER = """#pragma once
#include <cstdint>
#include <string>
#define STANGENSPIEL_API __attribute__((visibility("default")))
STANGENSPIEL_API void plain(uint8_t window);
STANGENSPIEL_API std::string named(const std::string& name);
"""

# Defines both calls, one internal call of default visibility and a standard template instance
# that a library would export on its own.
SOURCE = """#include "api.h"
#include <memory>
void plain(uint8_t) {}
std::string named(const std::string& name) { return name; }
__attribute__((visibility("default"))) void internal() {}
__attribute__((visibility("default"))) std::shared_ptr<int> shared() { return std::make_shared<int>(1); }
"""


def library(root, name, *options):
    subprocess.run([COMPILER, "-std=c++20", "-shared", "-fPIC", "-fvisibility=hidden", "-o", str(root / name),
                    str(root / "api.cpp"), *options], check=True, capture_output=True)
    return str(root / name)


class Exports(unittest.TestCase):
    def test_the_check_finds_too_much_and_too_little(self):
        work = tempfile.TemporaryDirectory()
        self.addCleanup(work.cleanup)
        root = Path(work.name)
        (root / "api.h").write_text(HEADER)
        (root / "grown.h").write_text(HEADER + "STANGENSPIEL_API void added(int64_t value);\n")
        (root / "api.cpp").write_text(SOURCE)
        exports.write_map(exports.expected_symbols(str(root / "api.h"), COMPILER, "nm"), str(root / "api.map"))
        mapped = library(root, "libmapped.so", f"-Wl,--version-script={root / 'api.map'}")
        unmapped = library(root, "libunmapped.so")
        for label, header, used, code, said in [
            ("exactly the header", "api.h", mapped, 0, ["exactly the 2 calls"]),
            ("no version script", "api.h", unmapped, 1, ["internal()", "std::"]),
            ("a call declared, not built", "grown.h", mapped, 1, ["added(long)"]),
        ]:
            with self.subTest(label=label):
                out = io.StringIO()
                with contextlib.redirect_stdout(out):
                    result = exports.check(exports.expected_symbols(str(root / header), COMPILER, "nm"), used, "nm")
                self.assertEqual(result, code, out.getvalue())
                for text in said:
                    self.assertIn(text, out.getvalue())
