#!/usr/bin/env bash
# Paint, terminal and guess typed through scripted headless runs; screens and pixels as a newcomer sees them.
source "$(dirname "$0")/common.sh"
build=$(realpath "${1:?build folder}")
cd "$work"  # where the paint example saves its pictures

# Paint: the pen starts at 160,100 in black on white; two steps right, one down, then yellow one left.
scripted "$build/examples/example_paint" '{Right}{Right}{Down}d{Left}sp{Escape}' "$work/paint"
canvas=$work/paint/window1.png
expectpixel "$canvas" 175 100 0,0,0 "paint: the black line"
expectpixel "$canvas" 175 110 255,255,0 "paint: the yellow line"
expectpixel "$canvas" 100 50 255,255,255 "paint: the canvas cleared through its memory"
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
# Its printer and console transcripts are written although neither window is on screen headless.
expectlines "$work/terminal/printer.txt" "^001 hallo$" "^002 welt$"
expectlines "$work/terminal/console.txt" "^Zeile 1: hallo$" "^Zeile 2: welt$"

# Guess: a word that is no number is asked again; the same seed gives the same game to the
# pixel, another seed another number.
guesses='50{Return}zwei{Return}25{Return}75{Return}12{Return}88{Return}37{Return}62{Return}'
for run in seed7 again seed8; do
    scripted "$build/examples/example_guess" "$guesses" "$work/$run" --seed=$([ $run = seed8 ] && echo 8 || echo 7)
done
expectlines "$work/seed7/window0.txt" "^Zahlenraten  .* sieben Versuche$" "^Versuch 2 von 7: zwei *$" \
    "^(Bitte eine Zahl eingeben) *$" "^25 *$" "^(Programm Ende)"
grep -qE "^(Richtig! Gefunden im [1-7]\. Versuch|Schade, meine Zahl war [0-9]+)\. *$" "$work/seed7/window0.txt" \
    || fail "guess: no end of the game in $(cat "$work/seed7/window0.txt")"
cmp -s "$work/seed7/window0.txt" "$work/again/window0.txt" || fail "guess: the same seed gave another game"
[ "$(compare -metric AE "$work/seed7/window0.png" "$work/again/window0.png" null: 2>&1)" = "0" ] \
    || fail "guess: the same seed gave other pixels"
cmp -s "$work/seed7/window0.txt" "$work/seed8/window0.txt" && fail "guess: another seed gave the same game"
echo "examples: ok"
