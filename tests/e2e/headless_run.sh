#!/usr/bin/env bash
# Without any display: the version, and the puzzle with three disks typed from a script, written out as a picture
# and a text screen, or failing when they cannot be written.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"

[ "$("$program" --version)" = "stangenspiel 0.1.0" ] || fail "--version"
"$program" --keys='x31234567' --pace=5 --output="$work/out" --timeout=30000 > "$work/log" 2>&1 ||
    fail "the scripted run did not end by itself"
expectin "$work/out/window0.txt" "^Wieviele Scheiben werden gewünscht \(2-9\): 3 *$" \
    "^Zug 7 von 7, bitte eine Taste drücken: *$" "^Animation des Lösungswegs beendet\. *$" "^\(Programm Ende\) *$"
# The only yellow in the picture is the three disks stacked on the right rod (centre 813).
[ "$(box "$work/out/window0.png" '#FFFF00')" = "162 56 +733 +475" ] || fail "the disks are not all on the right rod"
# Results that cannot be written (/proc/version is a file) fail the run, and it says why.
"$program" --keys=2nnn --pace=1 --output=/proc/version/out > "$work/log" 2>&1 && code=0 || code=$?
[ $code = 1 ] || fail "a run whose results cannot be written ends with $code, not 1"
expectin "$work/log" '^Scripted run: Could not write /proc/version/out\.$'
echo "headless_run: ok"
