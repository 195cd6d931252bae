#!/usr/bin/env bash
# Scripted runs without any display: the version; the puzzle with three disks typed from a script (after a refused
# key), written out as a picture and a text screen and recorded (24 bits, exact); the windows example recorded (its
# counter window at 32 bits); runs whose results cannot be written fail and say why. Pillow reads the GIFs back.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"
check=$(dirname "$0")/recording_check.py

[ "$("$program" --version)" = "stangenspiel 0.1.0" ] || fail "--version"
# The first picture, the rules, the prompt and seven moves are at least nine different pictures.
/usr/bin/python3 "$check" "$program" "$work/puzzle" x31234567 120 9 0 || fail "the puzzle's recording"
expectin "$work/puzzle/window0.txt" "^Wieviele Scheiben werden gewünscht \(2-9\): 3 *$" \
    "^Zug 7 von 7, bitte eine Taste drücken: *$" "^Animation des Lösungswegs beendet\. *$" "^\(Programm Ende\) *$"
# The only yellow in the picture is the three disks stacked on the right rod (centre 813).
[ "$(box "$work/puzzle/window0.png" '#FFFF00')" = "162 56 +733 +475" ] || fail "the disks are not all on the right rod"
examples=$(dirname "$program")/examples
if [ -x "$examples/example_windows" ]; then
    # Each picture of the counter has fewer than 256 colours, so the file is exact; should a font
    # bring more, median cut keeps every channel within the stated 24.
    /usr/bin/python3 "$check" "$examples/example_windows" "$work/windows" '   {Escape}' 150 4 24 ||
        fail "the 32-bit example's recording"
fi
# /proc/version is a file: nothing can be written below it.
for refusal in "--output=/proc/version/out|^Scripted run: Could not write /proc/version/out\.$" \
               "--record=/proc/version/run.gif|^g_RecordStart: Error #"; do
    "$program" --keys=2nnn --pace=1 "${refusal%%|*}" > "$work/log" 2>&1 && code=0 || code=$?
    [ $code = 1 ] || fail "a run with ${refusal%%|*} ends with $code, not 1"
    expectin "$work/log" "${refusal#*|}"
done
echo "recording_run: ok"
