"""The export list read from a header: every kind of declaration the public header uses names its
exact linker symbol, and the check tells a library that exports too much or too little."""
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
#include <functional>
#include <string>
#include <vector>
#define STANGENSPIEL_API __attribute__((visibility("default")))
/// STANGENSPIEL_API in a comment declares nothing;
STANGENSPIEL_API void plain(uint8_t window);
STANGENSPIEL_API void twice(const std::string& text);
STANGENSPIEL_API void twice(const std::vector<uint8_t>& bytes);
STANGENSPIEL_API int64_t defaults(int64_t a, std::vector<int> b = {1, 2}, int64_t c = 3);
STANGENSPIEL_API std::string spread(const std::string& name,  // one; two
                                    const std::string& title = "a;b)");
STANGENSPIEL_API void handler(std::function<void()> function);
STANGENSPIEL_API std::function<void(int)> maker();
STANGENSPIEL_API std::vector<std::vector<uint8_t>> nested(uint8_t separator) noexcept;
template <typename Result = int64_t>
Result pick(uint8_t window);
template <> STANGENSPIEL_API int64_t pick<int64_t>(uint8_t window);
template <> STANGENSPIEL_API double pick<double>(uint8_t window);
"""

STRING = "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > const&"
SIGNATURES = [
    "plain(unsigned char)",
    f"twice({STRING})",
    "twice(std::vector<unsigned char, std::allocator<unsigned char> > const&)",
    "defaults(long, std::vector<int, std::allocator<int> >, long)",
    f"spread({STRING}, {STRING})",
    "handler(std::function<void ()>)",
    "maker()",
    "nested(unsigned char)",
    "long pick<long>(unsigned char)",
    "double pick<double>(unsigned char)",
]

# Defines every call, one internal call of default visibility and a standard template instance
# that a library would export on its own.
SOURCE = """#include "api.h"
#include <memory>
void plain(uint8_t) {}
void twice(const std::string&) {}
void twice(const std::vector<uint8_t>&) {}
int64_t defaults(int64_t a, std::vector<int>, int64_t) { return a; }
std::string spread(const std::string& n, const std::string&) { return n; }
void handler(std::function<void()>) {}
std::function<void(int)> maker() { return {}; }
std::vector<std::vector<uint8_t>> nested(uint8_t) noexcept { return {}; }
template <> int64_t pick<int64_t>(uint8_t) { return 0; }
template <> double pick<double>(uint8_t) { return 0; }
__attribute__((visibility("default"))) void internal() {}
__attribute__((visibility("default"))) std::shared_ptr<int> shared() { return std::make_shared<int>(1); }
"""


class Exports(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.work.cleanup)
        cls.root = Path(cls.work.name)
        (cls.root / "api.h").write_text(HEADER)
        (cls.root / "api.cpp").write_text(SOURCE)
        cls.expected = exports.expected_symbols(str(cls.root / "api.h"), COMPILER, "nm")

    def library(self, name, map_file=None):
        command = [COMPILER, "-std=c++20", "-shared", "-fPIC", "-fvisibility=hidden", "-o", str(self.root / name),
                   str(self.root / "api.cpp")]
        if map_file:
            command.append(f"-Wl,--version-script={map_file}")
        subprocess.run(command, check=True, capture_output=True)
        return str(self.root / name)

    def check(self, header, library):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            code = exports.check(exports.expected_symbols(header, COMPILER, "nm"), library, "nm")
        return code, out.getvalue()

    def test_every_declaration_names_its_own_symbol(self):
        self.assertEqual(sorted(exports.demangled(self.expected)), sorted(SIGNATURES))

    def test_the_check_finds_too_much_and_too_little(self):
        map_file = str(self.root / "api.map")
        exports.write_map(self.expected, map_file)
        mapped, unmapped = self.library("libmapped.so", map_file), self.library("libunmapped.so")
        header = str(self.root / "api.h")
        grown = self.root / "grown.h"
        grown.write_text(HEADER + "STANGENSPIEL_API void added(int64_t value);\n")
        for label, used_header, library, code, said in [
            ("exactly the header", header, mapped, 0, ["exactly the 10 calls"]),
            ("no version script", header, unmapped, 1, ["internal()", "std::"]),
            ("a call declared, not built", str(grown), mapped, 1, ["added(long)"]),
        ]:
            with self.subTest(label=label):
                result = self.check(used_header, library)
                self.assertEqual(result[0], code, result[1])
                for text in said:
                    self.assertIn(text, result[1])

    def test_an_unreadable_declaration_is_refused(self):
        bad = self.root / "bad.h"
        bad.write_text("#define STANGENSPIEL_API\nSTANGENSPIEL_API (*broken)(int);\n")
        with self.assertRaises(SystemExit):
            exports.expected_symbols(str(bad), COMPILER, "nm")

