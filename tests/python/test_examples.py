"""The Python examples typed through scripted runs: each shows, prints and saves to the byte what
its C++ twin does, whose screens the example scripts check."""
import os
import subprocess
import sys
from pathlib import Path

import pytest

from conftest import EXAMPLES

GUESSES = "50{Return}zwei{Return}25{Return}75{Return}12{Return}88{Return}37{Return}62{Return}"


@pytest.mark.parametrize("name, keys, options", [
    ("paint", "{Right}{Right}{Down}d{Left}sp{Escape}", []),  # saves malen.gr and malen.png as well
    ("terminal", "hallo{Return}welt{Return}{Escape}", []),
    ("guess", GUESSES, ["--seed=7"]),
])
def test_each_example_does_what_its_cpp_twin_does(tmp_path, name, keys, options):
    built = Path(os.environ["PYTHONPATH"].split(os.pathsep)[0]).parent / "examples"
    files = []
    twins = {"py": [sys.executable, str(EXAMPLES / f"{name}.py")], "cpp": [str(built / f"example_{name}")]}
    for twin, command in twins.items():
        folder = tmp_path / twin
        folder.mkdir()
        subprocess.run([*command, f"--keys={keys}", "--pace=10", "--output=out", "--timeout=20000", *options],
                       cwd=folder, check=True, capture_output=True, timeout=60)
        files.append({path.relative_to(folder): path.read_bytes() for path in folder.rglob("*") if path.is_file()})
    assert sorted(files[0]) == sorted(files[1])
    assert [path for path in files[0] if files[0][path] != files[1][path]] == []
