#!/usr/bin/env bash
# Scripted runs that record the main window: the puzzle with three disks (24 bits, exact) and the
# windows example (its counter window at 32 bits). The check reads the GIF back with Pillow.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"
check=$(dirname "$0")/recording_check.py

# The first picture, the rules, the prompt and seven moves are at least nine different pictures.
/usr/bin/python3 "$check" "$program" "$work/puzzle" 31234567 120 9 0 || fail "the puzzle's recording"
examples=$(dirname "$program")/examples
if [ -x "$examples/example_windows" ]; then
    # Each picture of the counter has fewer than 256 colours, so the file is exact; should a font
    # bring more, median cut keeps every channel within the stated 24.
    /usr/bin/python3 "$check" "$examples/example_windows" "$work/windows" '   {Escape}' 150 4 24 ||
        fail "the 32-bit example's recording"
fi
# A recording that cannot be written fails the run, with its line.
"$program" --keys=2nnn --pace=1 --record=/proc/version/run.gif > "$work/log" 2>&1 && code=0 || code=$?
[ $code = 1 ] || fail "a run whose recording cannot be written ends with $code, not 1"
expectin "$work/log" '^g_RecordStart: Error #'
echo "recording_run: ok"
