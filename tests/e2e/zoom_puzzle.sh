#!/usr/bin/env bash
# The puzzle played to its end at --zoom=2 on a large screen shows exactly what it shows at factor 1, each pixel a
# 2 x 2 block, its border too.
e2e_screen=3840x2400
source "$(dirname "$0")/../support/e2e.sh"

play() {  # play FACTOR: three disks, the solution played; $work/windowFACTOR.png is the window's screenshot
    startwindow -- --zoom="$1"
    xdotool key --window "$window" --delay 150 3 space space space space space space space
    waitforlog '^t_QuitProgram: '
    sleep 0.5  # a few refresh periods, so the view shows the last drawing
    import -window "$window" "$work/window$1.png" || fail "no screenshot at factor $1"
    stopprogram
}
play 1
play 2
# The drawing area and its border (16 pixels), counted from the bottom: the menu and title bars above do not zoom.
read -r w1 h1 < <(identify -format '%w %h\n' "$work/window1.png")
read -r w2 h2 < <(identify -format '%w %h\n' "$work/window2.png")
[ "$w1 $w2" = "1312 2624" ] || fail "the windows are $w1 and $w2 wide, not 1312 and 2624"
convert "$work/window1.png" -crop "1312x832+0+$((h1 - 832))" +repage -sample 200% "$work/expected.png"
convert "$work/window2.png" -crop "2624x1664+0+$((h2 - 1664))" +repage "$work/zoomed.png"
differ=$(differing "$work/zoomed.png" "$work/expected.png")
[ "$differ" = 0 ] || fail "at factor 2, $differ pixels differ from factor 1 scaled up"
echo "zoom_puzzle: ok"
