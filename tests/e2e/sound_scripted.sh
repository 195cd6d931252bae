#!/usr/bin/env bash
# The music example as a scripted run without any display or sound device: its WAV file holds
# the phrase in three voices and the scale typed on its piano keys, on the tempo's grid; a WAV
# file that cannot be written fails the run and says why.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"
music=$(dirname "$program")/examples/example_music
[ -x "$music" ] || { echo "sound_scripted: skipped, the examples are not built"; exit 0; }
check=$(dirname "$0")/../support/sound_check.py

# No sound server either: a scripted run never opens the audio device.
PULSE_SERVER=unix:/nonexistent "$music" --keys='asdfghjk{Escape}' --pace=20 --audio="$work/music.wav" \
    --output="$work/out" --timeout=60000 > "$work/log" 2>&1 || fail "the scripted run did not end by itself"
grep -q "No audio output" "$work/log" && fail "a scripted run looked for an audio device"
expectin "$work/out/window0.txt" "^Klavier: Tasten a bis k, Escape beendet *$" "^\(Programm Ende\) *$"
/usr/bin/python3 "$check" example "$work/music.wav" || fail "the WAV file is not the music played"

"$music" --keys='{Escape}' --pace=20 --audio=/proc/version/music.wav --timeout=60000 > "$work/log" 2>&1 \
    && code=0 || code=$?
[ $code = 1 ] || fail "a run whose WAV file cannot be written ends with $code, not 1"
expectin "$work/log" '^Scripted run: Could not write /proc/version/music\.wav\.$'
echo "sound_scripted: ok"
