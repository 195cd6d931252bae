"""Python programs on the framework, run the way a user runs them: as scripted headless runs of
/usr/bin/python3 with the module from the build tree (PYTHONPATH, set by CTest)."""
import os
import subprocess
import sys
import textwrap
from pathlib import Path

import pytest

EXAMPLES = Path(__file__).resolve().parents[2] / "examples" / "python"


class Run:
    def __init__(self, process, output):
        self.code = process.returncode
        self.log = process.stdout
        self.lines = process.stdout.splitlines()
        self.output = output

    def screen(self, window=0):
        return (self.output / f"window{window}.txt").read_text(encoding="utf-8").splitlines()


def runscript(folder, program, keys="", pace=10, timeout=20000, arguments=None):
    """The finished scripted run of a program's source; arguments=[...] replace the run's options."""
    script = folder / "program.py"
    script.write_text("import sys\nfrom stangenspiel import *\n" + textwrap.dedent(program))
    output = folder / "out"
    options = [f"--keys={keys}", f"--pace={pace}", f"--output={output}", f"--timeout={timeout}"]
    command = [sys.executable, str(script), *(options if arguments is None else arguments)]
    process = subprocess.run(command, cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             text=True, timeout=timeout / 1000 + 30, env=dict(os.environ))
    return Run(process, output)


@pytest.fixture
def run(tmp_path):
    return lambda program, **options: runscript(tmp_path, program, **options)
