#!/usr/bin/python3
"""Terminal: a text window used the way a terminal program uses its screen. A header line and a
rule stay on top while the area below scrolls; what you type is echoed, Return ends a line, and
every finished line also goes to the printer and the console. The first lines show the display
modes, inverse video and the escape commands. Escape ends the program.
"""
import os
import sys

try:
    from stangenspiel import *
except ModuleNotFoundError:  # started in a checkout: the module is where the README's build puts it
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "python"))
    from stangenspiel import *

SCREEN = 0
COLUMNS, LINES = 60, 16


def demonstrate():
    t_Print(SCREEN, "Normal, ")
    t_Inverse(SCREEN)
    t_Print(SCREEN, "invers")
    t_Normal(SCREEN)
    t_Print(SCREEN, ", ")
    # Control codes inside bytes: 15 inverse on, 14 off.
    t_Print(SCREEN, b"\x0fauch\x0e so")
    t_Cr(SCREEN)
    t_Print(SCREEN, "Blockgrafik: ")
    t_DisplayMode(SCREEN, 2)  # small letters become the block graphics 128-159
    t_Print(SCREEN, "abcdefghijklmnopqrstuvwxyz{|}~")
    t_DisplayMode(SCREEN, 0)
    t_Cr(SCREEN)
    # Escape commands: 27 starts one; 'A' is foreground colour 1, '\\' background 12. Bytes are
    # the framework's character codes, so "grün" is Latin-1 here.
    t_Print(SCREEN, b"\x1bArot \x1b\\auf " + "grün".encode("latin-1"))
    t_Print(SCREEN, bytes([27, 64 + 12, 27, 80]))  # back to green on black
    t_Cr(SCREEN)
    t_TextLine(SCREEN)


def read_line():
    """Echoes a typed line into the area; None when Escape ends the program instead."""
    line = ""
    while True:
        key = t_GetKey(SCREEN)
        code = currentkeyevent().Value
        if code == 27:
            return None
        if code == 13:
            return line
        if code in (127, 8):  # Backspace: one character back, if there is one
            if line:
                line = line[:-1]
                t_CursorLeft(SCREEN)
                t_PrintChar(SCREEN, ord(" "))
                t_CursorLeft(SCREEN)
        elif 32 <= code < 256:
            line += key
            t_Print(SCREEN, key)


def terminal():
    t_InitWindow(SCREEN, 24, COLUMNS, LINES, 12, "MenloRegular 16x32.font")
    t_WindowTitle(SCREEN, "Terminal")
    t_Header(SCREEN, "Terminal", "Escape beendet")
    t_TextLine(SCREEN)
    # Lines 3 to the bottom scroll; the header and the rule above them stay.
    t_Area(SCREEN, 1, 3, COLUMNS, LINES)
    demonstrate()
    p_InitPrinter()
    t_WindowVisible(printerwindow, True)
    t_WindowVisible(consolewindow, True)
    t_WindowFront(SCREEN)
    count = 0
    while True:
        t_Print(SCREEN, "> ")
        line = read_line()
        if line is None:
            break
        t_Cr(SCREEN)
        count += 1
        t_Print(SCREEN, f"  {stringlength(line)} Zeichen")
        t_Cr(SCREEN)
        p_Print(f"{intformat(count, '0', 3, False)} {line}\n")
        c_Print(f"Zeile {count}: {line}\n")
    t_Cr(SCREEN)
    t_Print(SCREEN, f"{count} Zeilen gedruckt.")
    t_QuitProgram(SCREEN)


sys.exit(runprogram(terminal, name="Terminal", description="A terminal on the framework's text screen."))
