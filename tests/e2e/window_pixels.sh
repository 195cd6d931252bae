#!/usr/bin/env bash
# Window 0 on screen shows its video memory 1:1: its photograph under Xvfb holds the image a headless run wrote from
# video memory pixel for pixel, 16 pixels (the border) in from its left and bottom edges.
source "$(dirname "$0")/../support/e2e.sh"
border=16

# The run ends at the time limit when the program waits for a key; its pictures are written either way.
"$program" --output="$work/memory" --timeout=4000 > "$work/headless.log" 2>&1 || true
image="$work/memory/window0.png"
[ -f "$image" ] || fail "no window image written: $(cat "$work/headless.log")"
startwindow
sleep 3  # drawn and refreshed
import -window "$window" "$work/shot.png"
read -r sw sh < <(identify -format '%w %h\n' "$work/shot.png")
read -r w h < <(identify -format '%w %h\n' "$image")
[ $((w + 2 * border)) = "$sw" ] && [ $((h + 2 * border)) -le "$sh" ] || fail "window 0 is ${sw}x$sh for ${w}x$h pixels"
convert "$work/shot.png" -crop "${w}x${h}+${border}+$((sh - border - h))" +repage "$work/crop.png"
# Both runs wait at the same prompt with the same steady cursor: not one pixel may differ.
differ=$(differing "$work/crop.png" "$image")
[ "$differ" = 0 ] || fail "$differ pixels differ from video memory"
echo "window pixels: the window shows video memory pixel for pixel"
