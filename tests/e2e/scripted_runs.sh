#!/usr/bin/env bash
# Scripted runs without any display or sound server: the puzzle with three disks typed from a script
# (after a refused key), written out as a picture and a text screen and recorded (24 bits, exact); the windows
# example recorded (its counter window at 32 bits); the music example's WAV file holds the phrase in three voices and
# the scale typed on its piano keys, on the tempo's grid; runs whose results cannot be written fail and say why.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"
check=$(dirname "$0")/recording_check.py
examples=$(dirname "$program")/examples
export PULSE_SERVER=unix:/nonexistent  # a scripted run never opens the audio device

# The first picture, the rules, the prompt and seven moves are at least nine different pictures.
/usr/bin/python3 "$check" "$program" "$work/puzzle" x31234567 120 9 0 || fail "the puzzle's recording"
expectin "$work/puzzle/window0.txt" "^Zug 7 von 7, bitte eine Taste drücken: *$" "^\(Programm Ende\) *$"
# The only yellow in the picture is the three disks stacked on the right rod (centre 813).
[ "$(box "$work/puzzle/window0.png" '#FFFF00')" = "162 56 +733 +475" ] || fail "the disks are not all on the right rod"
refusals=("--output=/proc/version/out|^Scripted run: Could not write /proc/version/out\.$"
          "--record=/proc/version/run.gif|^g_RecordStart: Error #"
          "--audio=/proc/version/music.wav|^Scripted run: Could not write /proc/version/music\.wav\.$")
if [ -x "$examples/example_windows" ]; then
    # Each picture of the counter has fewer than 256 colours, so the file is exact; should a font
    # bring more, median cut keeps every channel within the stated 24.
    /usr/bin/python3 "$check" "$examples/example_windows" "$work/windows" '   {Escape}' 150 4 24 ||
        fail "the 32-bit example's recording"
    "$examples/example_music" --keys='asdfghjk{Escape}' --pace=20 --audio="$work/music.wav" \
        --output="$work/music" --timeout=60000 > "$work/log" 2>&1 || fail "the music example did not end by itself"
    grep -q "No audio output" "$work/log" && fail "a scripted run looked for an audio device"
    /usr/bin/python3 "$(dirname "$0")/../support/sound_check.py" example "$work/music.wav" ||
        fail "the WAV file is not the music played"
fi
# /proc/version is a file: nothing can be written below it.
for refusal in "${refusals[@]}"; do
    "$program" --keys=2nnn --pace=1 "${refusal%%|*}" > "$work/log" 2>&1 && code=0 || code=$?
    [ $code = 1 ] || fail "a run with ${refusal%%|*} ends with $code, not 1"
    expectin "$work/log" "${refusal#*|}"
done
echo "scripted_runs: ok"
