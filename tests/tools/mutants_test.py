"""The mutation tool's outcomes: a mutant whose tests run out of time is tried twice and then
counted neither killed nor survived."""
import io
import sys
import unittest
from unittest import mock
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import mutants  # noqa: E402


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
