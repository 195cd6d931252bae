#!/usr/bin/env bash
# The three examples typed through scripted headless runs; screens and pixels as a newcomer sees them.
source "$(dirname "$0")/common.sh"
build=$(realpath "${1:?build folder}")
cd "$work"  # where the paint example saves its pictures

# Paint: the pen starts at 160,100 in black on white; two steps right, one down, then yellow one left.
scripted "$build/examples/example_paint" '{Right}{Right}{Down}d{Left}sp{Escape}' "$work/paint"
canvas=$work/paint/window1.png
[ "$(identify -format '%wx%h' "$canvas")" = "320x200" ] || fail "paint: canvas size"
expectpixel "$canvas" 175 100 0,0,0 "paint: the black line"
expectpixel "$canvas" 180 105 0,0,0 "paint: the black line down"
expectpixel "$canvas" 175 110 255,255,0 "paint: the yellow line"
expectpixel "$canvas" 100 50 255,255,255 "paint: the canvas cleared through its memory"
expectlines "$work/paint/window0.txt" "^Farbe 13, Stift bei 170,110"
"$build/stangenspiel-grconvert" "$work/malen.gr" "$work/from-gr.png" > "$work/log" 2>&1 || fail "paint: .gr file"
for saved in from-gr malen; do
    [ "$(compare -metric AE "$work/$saved.png" "$canvas" null: 2>&1)" = "0" ] || fail "paint: $saved.png differs"
done

# Paint at --zoom=3: the same canvas three times as large, each pixel an exact 3 x 3 block.
"$build/examples/example_paint" --zoom=3 --keys='{Right}{Right}{Down}d{Left}{Escape}' --pace=10 \
    --output="$work/paint3" --timeout=60000 > "$work/log" 2>&1 || fail "paint at --zoom=3 did not finish"
zoomed=$work/paint3/window1.png
[ "$(identify -format '%wx%h' "$zoomed")" = "960x600" ] || fail "paint at --zoom=3: canvas size"
convert "$canvas" -sample 300% "$work/canvas3.png"
[ "$(compare -metric AE "$zoomed" "$work/canvas3.png" null: 2>&1)" = "0" ] || fail "paint at --zoom=3: not the canvas in 3 x 3 blocks"

# Terminal: two lines typed, then Escape; "invers" in column 9 of line 3 in inverse video.
scripted "$build/examples/example_terminal" 'hallo{Return}welt{Return}{Escape}' "$work/terminal"
expectlines "$work/terminal/window0.txt" "^Terminal .* Escape beendet$" "^Normal, invers, auch so *$" \
    "^rot auf grün *$" "^> hallo *$" "^  5 Zeichen *$" "^> welt *$" "^2 Zeilen gedruckt\. *$" "^(Programm Ende) *$"
expectpixel "$work/terminal/window0.png" 130 66 0,255,0 "terminal: inverse video"
expectpixel "$work/terminal/window0.png" 4 66 0,0,0 "terminal: normal video"

# Windows: two steps move every bar to x 16-23; the bars of steps 0 and 1 are erased.
scripted "$build/examples/example_windows" '  {Escape}' "$work/windows"
for panel in "1 255,255,255" "2 255,255,0" "3 168,168,168" "4 255,128,0"; do
    set -- $panel
    expectpixel "$work/windows/window$1.png" 20 50 "$2" "windows: the bar of window $1"
    for x in 4 12; do expectpixel "$work/windows/window$1.png" $x 50 0,0,0 "windows: an old bar in window $1"; done
done
echo "examples: ok"
