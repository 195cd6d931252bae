"""The mutation tool's own rules: which hexadecimal constants it mutates and into what, and that a
mutant whose tests run out of time is tried twice and then counted neither killed nor survived."""
import contextlib
import io
import sys
import tempfile
import unittest
from unittest import mock
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import mutants  # noqa: E402


def constants(line):
    return [(before, after) for kind, before, after, _, _ in mutants.line_sites(mutants.code_only(line))
            if kind == "const"]


class Sites(unittest.TestCase):
    def test_constants_of_a_line(self):
        for line, expected in [
            ("x = 0xFF;", [("0xFF", "0x100")]),
            ("m &= 0x7fu;", [("0x7f", "0x80")]),               # the suffix stays where it is
            ("v = 0x00'FF;", [("0x00'FF", "0x0100")]),          # separators dropped, width kept
            ("f(0x10, 12);", [("12", "13"), ("0x10", "0x11")]),  # no decimal 0 inside the hex literal
            ("g(1.5, 2);", [("2", "3")]),                       # nor parts of a floating literal
            ('s = "0xFF"; // 0x10', []),                        # nor text in strings and comments
            ("int x0x1 = a0xF;", []),                            # nor names that hold digits
        ]:
            with self.subTest(line=line):
                self.assertEqual(constants(line), expected)

    def test_a_mutated_hex_line_is_found_again_and_changed(self):
        site = mutants.Site("a.cpp", 1, "const", 1, "0x7f", "0x80", "return v & 0x7fu;")
        with tempfile.TemporaryDirectory() as work:
            (Path(work) / "a.cpp").write_text("int f(int v) {\n    return v & 0x7fu;\n}\n")
            line, text = mutants.locate(Path(work), site)
        self.assertEqual((line, text.splitlines()[1]), (2, "    return v & 0x80u;"))


class Outcomes(unittest.TestCase):
    def outcome(self, answers):
        """build_and_test with the commands answering in turn: (return code or 'timeout', output)."""
        calls = iter(answers)
        with mock.patch.object(mutants, "run", lambda command, timeout, log: next(calls)):
            return mutants.build_and_test(Path("/nonexistent"), ["text"], 1, 5, io.StringIO())

    def test_a_timeout_is_run_again_and_only_a_second_one_counts(self):
        built = (0, "")
        for answers, expected in [
            ([built, (0, "")], "survived"),
            ([built, (8, "")], "killed"),
            ([(1, "")], "unbuilt"),
            ([built, ("timeout", ""), (0, "")], "survived"),       # slow once: the second run decides
            ([built, (8, "***Timeout"), (8, "")], "killed"),
            ([built, ("timeout", ""), (0, "***Timeout")], "timeout"),
        ]:
            with self.subTest(answers=answers):
                self.assertEqual(self.outcome(answers), expected)

    def test_timeouts_are_reported_apart_from_kills(self):
        site = mutants.Site("a.cpp", 1, "cmp", 1, "<", "<=", "if (a < b) f();")
        results = [(site, 1, "killed")] * 3 + [(site, 2, "survived"), (site, 3, "timeout")]
        out = io.StringIO()
        with contextlib.redirect_stdout(out), tempfile.TemporaryDirectory() as work:
            mutants.report(results, Path(work) / "results.txt", 60)
        text = out.getvalue()
        self.assertIn("kill rate: 3/4 = 75.0%", text)
        listed = text.split("neither killed nor survived")[1]
        self.assertIn("a.cpp:3", listed)
        self.assertNotIn("a.cpp:2", listed)

