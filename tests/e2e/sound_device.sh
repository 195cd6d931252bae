#!/usr/bin/env bash
# The music example on a desktop with a sound server: a PulseAudio of its own with a null sink, whose monitor parec
# records while the phrase plays and the piano keys are typed; the recording holds the phrase's three voices and
# the scale. (Without a sound server the calls say so once and carry on: the sound tests prove that in process.)
e2e_display=xvfb
source "$(dirname "$0")/../support/e2e.sh"
music=$(dirname "$program")/examples/example_music
[ -x "$music" ] || { echo "sound_device: skipped, the examples are not built"; exit 0; }
command -v pulseaudio > /dev/null && command -v parec > /dev/null || fail "no pulseaudio or parec (pulseaudio-utils)"
check=$(dirname "$0")/../support/sound_check.py

# A private folder for the server and its clients; as root PulseAudio warns and runs, and anonymous clients need
# no cookie.
mkdir -m 700 "$work/pulse"
export XDG_RUNTIME_DIR=$work/pulse PULSE_RUNTIME_PATH=$work/pulse/server HOME=$work/pulse
unset PULSE_SERVER
pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 --disable-shm=yes \
    --load="module-native-protocol-unix auth-anonymous=1" --load="module-null-sink sink_name=probe rate=48000" \
    > "$work/pulse.log" 2>&1 &
servers+=($!)
waitfor "pulseaudio did not start" pactl info

parec --device=probe.monitor --format=s16le --rate=48000 --channels=2 --raw > "$work/recorded.raw" 2> "$work/parec.err" &
servers+=($!)
# The example, its keys typed while the phrase plays; its end is waited for (30 s at most).
"$music" > "$work/log" 2> "$work/err" &
pid=$!
shown() { window=$(xdotool search --onlyvisible --name '^Musik$' | head -n 1) && [ -n "$window" ]; }
waitfor "the example's window never became visible" shown
xdotool windowfocus --sync "$window"
xdotool key --window "$window" --delay 40 a s d f g h j k Escape
for _ in $(seq 300); do
    grep -q '^t_QuitProgram: ' "$work/log" && break
    sleep 0.1
done
grep -q '^t_QuitProgram: ' "$work/log" || fail "the example did not end"
sleep 0.5  # what the server has played reaches the recording
grep -q "No audio output" "$work/log" && fail "no audio output although a sound server runs"
/usr/bin/python3 "$check" example "$work/recorded.raw" --raw --device || fail "the recording is not the music played"
echo "sound_device: ok"
