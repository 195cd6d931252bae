#!/usr/bin/env bash
# Recording from the menu: Control+Shift+R in the puzzle's window opens the save dialog with the first free numbered
# name ("Aufnahme 1.gif" is there already and stays as it was), Return takes it, the title shows the recording, two
# moves later Control+Shift+R ends it, and the file holds a frame for each picture.
source "$(dirname "$0")/../support/e2e.sh"
home=$work/home
mkdir -p "$home"
echo alt > "$home/Aufnahme 1.gif"
startwindow HOME="$home"
xdotool key --window "$window" 3
sleep 0.5
# The shortcut goes through the keyboard (XTest): a key sent to the window would go on into the dialog it opens.
xdotool key ctrl+shift+r
dialogshown() { dialog=$(xdotool search --onlyvisible --name '^Aufnahme sichern unter$' | head -n 1) && [ -n "$dialog" ]; }
waitfor "no save dialog" dialogshown
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool key Return  # the proposed name
waitforlog "^g_RecordStart: Window #0 records into $home/Aufnahme 2\\.gif\\.$"
marked() { xdotool search --name '^Stangenspiel ● Aufnahme$' | grep -q "^$window$"; }
waitfor "the title does not show the recording" marked
xdotool windowfocus --sync "$window"
xdotool key --window "$window" --delay 200 space space
sleep 0.3
xdotool windowfocus --sync "$window"
xdotool key ctrl+shift+r
waitforlog "^g_RecordStop: Window #0 recorded [0-9]+ frames in [0-9]+,[0-9]+ s\\.$"
unmarked() { xdotool search --name '^Stangenspiel$' | grep -q "^$window$"; }
waitfor "the title still shows the recording" unmarked
/usr/bin/python3 -c 'import sys; from PIL import Image; sys.exit(Image.open(sys.argv[1]).n_frames < 3)' \
    "$home/Aufnahme 2.gif" || fail "Aufnahme 2.gif holds too few frames"
[ "$(cat "$home/Aufnahme 1.gif")" = alt ] || fail "Aufnahme 1.gif was replaced"
[ -z "$(find "$home" -maxdepth 1 -name '*.part*')" ] || fail "a temporary is left"
echo "recording_menu: ok"
