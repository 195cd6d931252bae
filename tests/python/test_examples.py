"""The Python examples typed through scripted runs: what a newcomer sees, as for the C++ ones."""
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
