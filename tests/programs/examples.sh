#!/usr/bin/env bash
# The three examples, each typed through a scripted headless run; their screens and pixels are
# checked as a newcomer would see them.
source "$(dirname "$0")/common.sh"
build=$(realpath "${1:?build folder}")
run() {  # run <example> <keys>: a finished run's pictures and screens in $work/<example>
    (cd "$work" && "$build/examples/example_$1" --keys="$2" --pace=10 --output="$work/$1" --timeout=60000) \
        > "$work/log" 2>&1 || fail "$1 did not finish"
}
expect() {  # expect <picture> <x> <y> <r,g,b> <what>
    [ "$(pixel "$1" "$2" "$3")" = "$4" ] || fail "$5: $(pixel "$1" "$2" "$3") at $2,$3 of $(basename "$1")"
}

# Paint: the pen starts at 160,100 in black on white; two steps right, one down, then yellow one left.
run paint '{Right}{Right}{Down}d{Left}sp{Escape}'
canvas=$work/paint/window1.png
[ "$(identify -format '%wx%h' "$canvas")" = "320x200" ] || fail "paint: canvas size"
expect "$canvas" 175 100 0,0,0 "paint: the black line"
expect "$canvas" 180 105 0,0,0 "paint: the black line down"
expect "$canvas" 175 110 255,255,0 "paint: the yellow line"
expect "$canvas" 100 50 255,255,255 "paint: the canvas cleared through its memory"
grep -q "^Farbe 13, Stift bei 170,110" "$work/paint/window0.txt" || fail "paint: status line"
"$build/stangenspiel-grconvert" "$work/malen.gr" "$work/from-gr.png" > "$work/log" 2>&1 || fail "paint: .gr file"
[ "$(compare -metric AE "$work/from-gr.png" "$canvas" null: 2>&1)" = "0" ] || fail "paint: the .gr file differs"
[ "$(compare -metric AE "$work/malen.png" "$canvas" null: 2>&1)" = "0" ] || fail "paint: the PNG differs"

# Terminal: two lines typed, then Escape.
run terminal 'hallo{Return}welt{Return}{Escape}'
screen=$work/terminal/window0.txt
for line in "^Terminal .* Escape beendet$" "^Normal, invers, auch so *$" "^rot auf grün *$" "^> hallo *$" \
            "^  5 Zeichen *$" "^> welt *$" "^2 Zeilen gedruckt\. *$" "^(Programm Ende) *$"; do
    grep -q "$line" "$screen" || fail "terminal: no line $line in $(cat "$screen")"
done
shot=$work/terminal/window0.png
expect "$shot" 130 66 0,255,0 "terminal: inverse video"      # column 9, line 3: "invers"
expect "$shot" 4 66 0,0,0 "terminal: normal video"

# Windows: two steps move every bar to x 16-23; the bars of steps 0 and 1 are erased.
run windows '  {Escape}'
for panel in "1 255,255,255" "2 255,255,0" "3 168,168,168" "4 255,128,0"; do
    set -- $panel
    expect "$work/windows/window$1.png" 20 50 "$2" "windows: the bar of window $1"
    expect "$work/windows/window$1.png" 4 50 0,0,0 "windows: step 0 erased in window $1"
    expect "$work/windows/window$1.png" 12 50 0,0,0 "windows: step 1 erased in window $1"
done
echo "examples: ok"
