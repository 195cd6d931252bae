#!/usr/bin/env bash
# After a few moves of the puzzle, the copy-text shortcut (Control+Shift+C) puts the screen's
# text on the X clipboard, where another program reads it; a Control+C typed into the window
# stays a key for the program and leaves the clipboard alone.
set -euo pipefail
program=${1:?path to stangenspiel}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/inner.sh" <<'INNER'
set -euo pipefail
program=$1
work=$2
"$program" > "$work/log" 2>"$work/err" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
fail() { echo "clipboard: $*"; echo "--- log"; cat "$work/log"; exit 1; }

for _ in $(seq 150); do
    grep -q "Wieviele Scheiben" "$work/log" 2>/dev/null && break
    grep -q "t_InitWindow: GraphicWindow #0 End." "$work/log" 2>/dev/null && break
    sleep 0.1
done
window=$(xdotool search --sync --onlyvisible --name "^Stangenspiel" | head -1)
[ -n "$window" ] || fail "no window"
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool windowfocus --sync "$window"
sleep 1
echo -n "vorher" | xclip -selection clipboard
xdotool key --window "$window" 3
sleep 0.5
xdotool key --window "$window" space
sleep 0.3
xdotool key --window "$window" space
sleep 0.5
xdotool key --window "$window" ctrl+c
sleep 0.5
[ "$(xclip -o -selection clipboard)" = "vorher" ] || fail "Control+C changed the clipboard"
xdotool key --window "$window" ctrl+shift+c
sleep 0.5
xclip -o -selection clipboard > "$work/clip" || fail "nothing on the clipboard"
grep -q "Stangenspiel" "$work/clip" || fail "no header in: $(cat "$work/clip")"
# The rule line under the header is drawn with a block-graphic character: plain dashes here.
sed -n 2p "$work/clip" | grep -qE '^-{80}$' || fail "rule line: $(sed -n 2p "$work/clip")"
grep -q "gewünscht (2-9): 3" "$work/clip" || fail "no answer in: $(cat "$work/clip")"
# Control+C was a key for the program: it played the third move.
grep -q "Zug 4 von 7" "$work/clip" || fail "not at move 4: $(cat "$work/clip")"
if grep -q $'\r' "$work/clip"; then fail "carriage returns in the text"; fi
echo "clipboard: ok"
INNER

xvfb-run -a -s "-screen 0 1920x1200x24" bash "$work/inner.sh" "$program" "$work"
