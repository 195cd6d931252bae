#!/usr/bin/env bash
# A game of three disks, Control+C typed as the key of its third move: the key stays the program's and leaves the X
# clipboard alone; afterwards Control+Shift+C puts the screen's text on the clipboard, where another program reads it.
source "$(dirname "$0")/../support/e2e.sh"
startwindow
echo -n "vorher" | xclip -selection clipboard
xdotool key --window "$window" --delay 400 3 space space ctrl+c space space space space
# The program ends its thread after the seventh move: then every key, Control+C among them, has been read and
# handled, so a clipboard it changed would show now.
waitfor "Control+C did not reach the program as the key of a move: the game never ended" \
    grep -q '^t_QuitProgram: ' "$work/log"
[ "$(xclip -o -selection clipboard)" = "vorher" ] || fail "Control+C changed the clipboard"
xdotool key --window "$window" ctrl+shift+c
copied() { [ "$(xclip -o -selection clipboard)" != "vorher" ]; }
waitfor "Control+Shift+C put nothing on the clipboard" copied
xclip -o -selection clipboard > "$work/clip" || fail "nothing on the clipboard"
expectin "$work/clip" "Stangenspiel" "gewünscht \(2-9\): 3" "Zug 7 von 7" "Animation des Lösungswegs beendet\." \
    "\(Programm Ende\)"
# The rule line under the header, drawn with a block-graphic character, becomes plain dashes.
sed -n 2p "$work/clip" | grep -qE '^-{80}$' || fail "rule line: $(sed -n 2p "$work/clip")"
if grep -q $'\r' "$work/clip"; then fail "carriage returns in the text"; fi
echo "clipboard: ok"
