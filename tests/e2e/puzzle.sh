#!/usr/bin/env bash
# The real program under Xvfb: its launch lines in order, then three disks chosen at the keyboard (after two refused
# keys) and the solution played with seven more, Control+C the third: that key stays the program's and leaves the X
# clipboard alone. Moves 1-3 are recorded from the menu: Control+Shift+R opens the save dialog with the first free
# numbered name ("Aufnahme 1.gif" is there already and stays as it was), Return takes it, the title shows the
# recording until Control+Shift+R ends it, and the file holds a frame for each picture. The log shows the
# printer's and the quit lines; a headless run of the same keys shows that the window holds video memory pixel
# for pixel. Then Control+Shift+C puts the screen's text on the clipboard, where
# another program reads it.
source "$(dirname "$0")/../support/e2e.sh"
home=$work/home
mkdir -p "$home"
echo alt > "$home/Aufnahme 1.gif"
startwindow HOME="$home"
waitforlog '^applicationDidFinishLaunching: End\.'
expected=$(printf '%s\n' "applicationWillFinishLaunching: Called." "applicationDidFinishLaunching: Start." \
    "initmxtools: Start." "initmxtools: End." "Program: Start." "applicationDidFinishLaunching: End.")
actual=$(grep -E "^(applicationWillFinishLaunching|applicationDidFinishLaunching|initmxtools|Program):" "$work/log")
[ "$actual" = "$expected" ] || fail "launch lines differ: $(diff <(echo "$expected") <(echo "$actual") || true)"

echo -n "vorher" | xclip -selection clipboard
xdotool key --window "$window" --delay 400 x 1 3
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
titled() { xdotool search --name "^$1\$" | grep -q "^$window$"; }
waitfor "the title does not show the recording" titled 'Stangenspiel ● Aufnahme'
xdotool windowfocus --sync "$window"
xdotool key --window "$window" --delay 400 space space ctrl+c
sleep 0.3
xdotool windowfocus --sync "$window"
xdotool key ctrl+shift+r
waitforlog "^g_RecordStop: Window #0 recorded [0-9]+ frames in [0-9]+,[0-9]+ s\\.$"
waitfor "the title still shows the recording" titled Stangenspiel
xdotool key --window "$window" --delay 400 space space space space
# The program ends its thread after the seventh move: then every key, Control+C among them, has been read.
waitforlog '^t_QuitProgram: '
[ "$(xclip -o -selection clipboard)" = "vorher" ] || fail "Control+C changed the clipboard"
sleep 0.5  # a few refresh periods, so the view shows the last drawing
shot="$work/shot.png"
import -window "$window" "$shot" || fail "no screenshot"
expectin "$work/log" '^t_QuitProgram: Quitting current thread with message in window #0\.$'
[ "$(grep -c -E '^p_PrinterAutoUpdateProcess: Start as thread #[0-9]+$' "$work/log")" = 1 ] || fail "printer threads"
kill -0 $pid || fail "the program ended with its thread"
/usr/bin/python3 -c 'import sys; from PIL import Image; sys.exit(Image.open(sys.argv[1]).n_frames < 3)' \
    "$home/Aufnahme 2.gif" || fail "Aufnahme 2.gif holds too few frames"
[ "$(cat "$home/Aufnahme 1.gif")" = alt ] || fail "Aufnahme 1.gif was replaced"
[ -z "$(find "$home" -maxdepth 1 -name '*.part*')" ] || fail "a temporary is left"
# The window shows video memory pixel for pixel: a headless run of the same keys writes that picture, which lies 16
# pixels (the border) in from the window's left and bottom edges.
"$program" --keys='x13  ^c    ' --pace=5 --output="$work/memory" --timeout=30000 > "$work/headless.log" 2>&1 ||
    fail "the headless run did not end by itself: $(cat "$work/headless.log")"
read -r sw sh < <(identify -format '%w %h\n' "$shot")
read -r w h < <(identify -format '%w %h\n' "$work/memory/window0.png")
[ $((w + 32)) = "$sw" ] && [ $((h + 32)) -le "$sh" ] || fail "window 0 is ${sw}x$sh for ${w}x$h pixels"
convert "$shot" -crop "${w}x$h+16+$((sh - 16 - h))" +repage "$work/crop.png"
differ=$(differing "$work/crop.png" "$work/memory/window0.png")
[ "$differ" = 0 ] || fail "$differ pixels of window 0 differ from video memory"

xdotool key --window "$window" ctrl+shift+c
copied() { [ "$(xclip -o -selection clipboard)" != "vorher" ]; }
waitfor "Control+Shift+C put nothing on the clipboard" copied
xclip -o -selection clipboard > "$work/clip" || fail "nothing on the clipboard"
expectin "$work/clip" "gewünscht \(2-9\): 3" "^\(Programm Ende\)"
# Quitting closes no window by anybody's click, and no shown window floods the log.
stopprogram
grep -E 'not initialized|CloseBox' "$work/log" && fail "noise in the log from start to quit"
grep -q '^applicationWillTerminate: Called\.$' "$work/log" || fail "the program did not quit"
echo "puzzle: ok"
