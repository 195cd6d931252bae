"""The Python examples typed through scripted runs: what a newcomer sees, as for the C++ ones."""
import os
import subprocess
from pathlib import Path

from conftest import EXAMPLES


def test_paint_draws_with_keys_and_saves_both_files(run, tmp_path):
    # The pen starts at 160,100 in black on white: two steps right, one down, then yellow one left.
    result = run(EXAMPLES / "paint.py", keys="{Right}{Right}{Down}d{Left}sp{Escape}")
    assert result.code == 0, result.log
    assert result.screen(0)[0].startswith("Farbe 13, Stift bei 170,110")
    expected = {(175, 100): (0, 0, 0), (180, 105): (0, 0, 0), (175, 110): (255, 255, 0),
                (100, 50): (255, 255, 255)}  # the last one cleared through the window's memory
    assert {p: result.pixel(1, *p) for p in expected} == expected
    from PIL import Image, ImageChops
    with Image.open(result.output / "window1.png") as canvas, Image.open(tmp_path / "malen.png") as saved:
        assert ImageChops.difference(canvas.convert("RGB"), saved.convert("RGB")).getbbox() is None
    from stangenspiel import g_Decompress, readgraphicfile
    picture = g_Decompress(readgraphicfile(str(tmp_path / "malen.gr")))
    assert (picture.Width, picture.Height, picture.Data[175 + 110 * 320]) == (320, 200, 13)


def test_terminal_echoes_lines_and_ends_with_the_message(run):
    result = run(EXAMPLES / "terminal.py", keys="hallo{Return}welt{Return}{Escape}")
    assert result.code == 0, result.log
    screen = [line.rstrip() for line in result.screen()]
    assert screen[0].startswith("Terminal") and screen[0].endswith("Escape beendet")
    for line in ("Normal, invers, auch so", "rot auf grün", "> hallo", "  5 Zeichen", "> welt",
                 "2 Zeilen gedruckt.", "(Programm Ende)"):
        assert line in screen
    assert result.pixel(0, 130, 66) == (0, 255, 0)  # "invers" in inverse video
    assert result.pixel(0, 4, 66) == (0, 0, 0)


def test_guess_plays_the_same_game_as_its_cpp_twin(run, tmp_path):
    keys = "50{Return}zwei{Return}25{Return}75{Return}12{Return}88{Return}37{Return}62{Return}"
    options = lambda seed, out=None: [f"--keys={keys}", "--pace=10", f"--output={out or tmp_path / str(seed)}",
                                      f"--seed={seed}"]
    result = run(EXAMPLES / "guess.py", arguments=options(7))
    assert result.code == 0, result.log
    screen = (tmp_path / "7" / "window0.txt").read_text(encoding="utf-8")
    for line in ("Versuch 2 von 7: zwei", "(Bitte eine Zahl eingeben)", "(Programm Ende)"):
        assert line in screen
    twin = Path(os.environ["PYTHONPATH"].split(os.pathsep)[0]).parent / "examples" / "example_guess"
    out = tmp_path / "twin"
    subprocess.run([str(twin), *options(7, out)], check=True, capture_output=True)
    assert screen == (out / "window0.txt").read_text(encoding="utf-8")
    assert run(EXAMPLES / "guess.py", arguments=options(8)).code == 0
    assert screen != (tmp_path / "8" / "window0.txt").read_text(encoding="utf-8")
