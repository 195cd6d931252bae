#!/usr/bin/env bash
# Without any display: the version, and the puzzle with three disks typed from a script, written out as a picture
# and a text screen.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"

[ "$("$program" --version)" = "stangenspiel 0.1.0" ] || fail "--version"
# "x" is ignored at the prompt, then three disks and seven moves.
"$program" --keys='x31234567' --pace=5 --output="$work/out" --timeout=30000 > "$work/log" 2>&1 ||
    fail "the scripted run did not end by itself"
picture="$work/out/window0.png"
expectin "$work/out/window0.txt" "^Wieviele Scheiben werden gewünscht \(2-9\): 3 *$" \
    "^Zug 7 von 7, bitte eine Taste drücken: *$" "^Animation des Lösungswegs beendet\. *$" "^\(Programm Ende\) *$"
[ "$(identify -format '%wx%h' "$picture")" = "1280x800" ] || fail "picture size"
# The largest disk on the right rod (centre 813), none left on the left rod.
[ "$(pixel "$picture" 813 522)" = "255,255,0" ] || fail "largest disk not on the right rod"
[ "$(pixel "$picture" 440 522)" = "0,0,0" ] || fail "a disk is left on the left rod"
echo "headless_run: ok"
