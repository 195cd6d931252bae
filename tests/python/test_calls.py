"""The calls in this process, without an application: what goes in and comes out in which Python
types, records and bytes on their way through C++ and back, and the refusal lines."""
import copy

import pytest

from stangenspiel import *

GREY = t_Graphic(Format=g_FormatNibble, Size=6, Width=3, Height=2, Data=bytes([1, 2, 3, 4, 5, 15]))

# call, expected result (compared by type and value)
RESULTS = [
    (lambda: stringtobinary("äb"), b"\xc3\xa4b"),
    (lambda: binarytoint(bytearray(b"17")), 17),  # any byte buffer goes in
    (lambda: intpower(2, 62), 1 << 62),
    (lambda: stringlength("Grüße"), 5),
    (lambda: binarysplit(b"a,,b,", ord(",")), [b"a", b"", b"b"]),
    (lambda: binaryjoin([b"a", bytearray(b"b")], ord("-")), b"a-b"),
    (lambda: t_MainWindow(), nowindow),
    (lambda: currentkeyevent(), t_Event()),
    (lambda: t_WindowRecord(300), t_Window()),
    (lambda: t_LoadFontResource("MenloBold 16x32.font").Width, 16),
    (lambda: g_Decompress(g_CompressLZW(g_CompressRLE(g_Pack(GREY)))), GREY),
]


# call, the lines it prints, its empty result: the same lines a C++ program gets
REFUSALS = [
    (lambda: t_Print(-1, "x"), ["t_Print: Window is not a graphic window."], None),
    (lambda: g_Scrn(2, 0, 0, t_RGBColor), ["g_Scrn: Graphic window #2 not initialized."], t_RGBColor(255, 0, 0, 0)),
    (lambda: bytes(g_GraphicMemory(0)), ["g_GraphicMemory: Graphic window #0 not initialized."], b""),
    (lambda: g_DecompressLZW(t_Graphic(Format=100, Size=4, Width=2, Height=2, Data=b"\xff\xff\xff")),
     ["g_DecompressLZW: LZW data does not decode."], t_Graphic()),
    # Without an application these would wait for a GUI thread forever.
    (lambda: t_GetKey(0), ["t_GetKey: No application is running; runprogram starts it."], ""),
    (lambda: startprocess(print, 0), ["startprocess: No application is running; runprogram starts it."], None),
]


@pytest.mark.parametrize("call, lines, expected", [(call, [], expected) for call, expected in RESULTS] + REFUSALS)
def test_calls_answer_in_python_types_and_refusals_print_their_line(capfd, call, lines, expected):
    result = call()
    assert (type(result), result) == (type(expected), expected)
    assert capfd.readouterr().out.splitlines() == lines


def test_records_are_built_compared_and_copied_like_values():
    assert t_RGBColor(255, 1, 2, 3) == t_RGBColor(Alpha=255, Red=1, Green=2, Blue=3) != t_RGBColor()
    window = t_Window(Width=5, RGBColor=t_RGBColor(Red=9))
    window.RGBColor.Blue = 7  # a field record changes in place, as in C++
    assert (window.Width, window.RGBColor) == (5, t_RGBColor(255, 9, 0, 7))
    copied = copy.deepcopy(window)
    copied.Font.Data = bytearray(b"\x01")
    assert copied.Font.Data == b"\x01" and window.Font.Data == b"" and copied != window


@pytest.mark.parametrize("call", [
    lambda: setprogrammousehandler(5),               # a handler is callable or None
    lambda: g_Scrn(0, 0, 0, str),                    # a result type is int or t_RGBColor
    lambda: t_Rect(Wdth=3), lambda: t_Rect(1, X=2),  # records: fields as declared
])
def test_wrong_python_types_are_type_errors(call):
    with pytest.raises(TypeError):
        call()
