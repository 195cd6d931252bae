#!/usr/bin/env bash
# After a few moves of the puzzle, Control+Shift+C puts the screen's text on the X clipboard, where another program
# reads it; a Control+C typed into the window stays a key for the program (it plays the third move).
source "$(dirname "$0")/../support/e2e.sh"
startwindow
echo -n "vorher" | xclip -selection clipboard
xdotool key --window "$window" --delay 400 3 space space ctrl+c
sleep 0.5
[ "$(xclip -o -selection clipboard)" = "vorher" ] || fail "Control+C changed the clipboard"
xdotool key --window "$window" ctrl+shift+c
sleep 0.5
xclip -o -selection clipboard > "$work/clip" || fail "nothing on the clipboard"
expectin "$work/clip" "Stangenspiel" "gewünscht \(2-9\): 3" "Zug 4 von 7"
# The rule line under the header, drawn with a block-graphic character, becomes plain dashes.
sed -n 2p "$work/clip" | grep -qE '^-{80}$' || fail "rule line: $(sed -n 2p "$work/clip")"
if grep -q $'\r' "$work/clip"; then fail "carriage returns in the text"; fi
echo "clipboard: ok"
