#!/usr/bin/python3
"""Guess: the classic number-guessing game on an 80 x 25 screen in the 8 x 16 font, the size of the
classic screens. The program thinks of a number from 1 to 100 and you have seven tries; after each
it tells you whether its number is larger or smaller. t_RandomInt draws the number (the same one
on every run with --seed=N), t_InputNumber reads a typed number with editing and asks again by
itself when a line is no number, t_PrintLine ends each line. The same game as examples/guess.cpp:
with the same seed and keys both show the same screen.
"""
import sys

from stangenspiel import *

SCREEN = 0
COLUMNS, LINES = 80, 25
LARGEST, TRIES = 100, 7


def play(number):
    """One try after the other; answers the try that found the number, 0 when none did."""
    for attempt in range(1, TRIES + 1):
        t_Print(SCREEN, f"Versuch {attempt} von {TRIES}: ")
        guess = t_InputNumber(SCREEN, 8)  # Return ends the line, Escape empties it
        if guess == number:
            return attempt
        t_PrintLine(SCREEN, "  Meine Zahl ist größer." if guess < number else "  Meine Zahl ist kleiner.")
    return 0


def guess():
    t_InitWindow(SCREEN, 4, COLUMNS, LINES, 8, "Mono 8x16.font")  # 640 x 400 pixels
    t_WindowTitle(SCREEN, "Zahlenraten")
    t_Header(SCREEN, "Zahlenraten", "eine Zahl von 1 bis 100, sieben Versuche")
    t_TextLine(SCREEN)
    t_Area(SCREEN, 1, 3, COLUMNS, LINES)  # the header and the rule stay while the rest scrolls
    t_WindowFront(SCREEN)

    number = t_RandomInt(LARGEST) + 1
    t_PrintLine(SCREEN, f"Ich denke mir eine Zahl von 1 bis {LARGEST}. Rate sie!")
    t_PrintLine(SCREEN, "")
    found = play(number)
    t_PrintLine(SCREEN, "")
    if found > 0:
        t_PrintLine(SCREEN, f"Richtig! Gefunden im {found}. Versuch.")
    else:
        t_PrintLine(SCREEN, f"Schade, meine Zahl war {number}.")
    t_QuitProgram(SCREEN)


sys.exit(runprogram(guess, name="Zahlenraten", description="The classic number-guessing game."))
