#!/usr/bin/env bash
# The real program under Xvfb: three disks chosen at the keyboard (after two refused keys), the solution played
# with seven more; window 0's screenshot must show the finished board, the log its launch, window, printer and
# quit lines.
source "$(dirname "$0")/../support/e2e.sh"
startwindow
xdotool key --window "$window" --delay 150 x 1 3 space space space space space space space
waitforlog '^t_QuitProgram: '
sleep 0.5  # a few refresh periods, so the view shows the last drawing
shot="$work/shot.png"
import -window "$window" "$shot" || fail "no screenshot"

# Where the graphic area lies inside the window picture, from the base's first brown pixel: row 535 in column 600,
# then x 375 on row 540.
brownat() { convert "$shot" -crop "$1" +repage txt:- | grep -i -m 1 '#804000' | cut -d: -f1 || true; }
row=$(brownat "1x100000+600+0" | cut -d, -f2)
[ -n "$row" ] || fail "no base found in the window picture"
oy=$((row - 535))
col=$(brownat "100000x1+0+$((540 + oy))" | cut -d, -f1)
ox=$((col - 375))
expect() {  # expect NAME X Y R,G,B: graphic pixel x, y
    local actual
    actual=$(pixel "$shot" $(($2 + ox)) $(($3 + oy)))
    [ "$actual" = "$4" ] || fail "$1: pixel ($2, $3) is $actual, expected $4"
}
for position in 1 2 3; do
    y=$((515 - 20 * (position - 1)))
    half=$(((161 - 18 * (position - 1)) / 2))
    expect "goal disk $position, left edge" $((813 - half)) $y 255,255,0
    expect "beside goal disk $position" $((812 - half)) $y 0,0,0
    expect "rod 1 empty at position $position" 469 $y 128,64,0
done

expectin "$work/log" '^applicationDidFinishLaunching: End\.$' \
    '^t_InitWindow: GraphicWindow #0 = 1280 x 800 pixel x 24 bit = 3\.000,00K video-memory = \$00D12000\.$' \
    '^p_PrinterAutoUpdateProcess: Start as thread #[0-9]+$' \
    '^t_QuitProgram: Quitting current thread with message in window #0\.$'
[ "$(grep -c '^p_PrinterAutoUpdateProcess: Start' "$work/log")" = 1 ] || fail "more than one printer thread"
kill -0 $pid || fail "the program ended with its thread"
# Quitting closes no window by anybody's click, and no shown window floods the log.
stopprogram
grep -E 'not initialized|CloseBox' "$work/log" && fail "noise in the log from start to quit"
grep -q '^applicationWillTerminate: Called\.$' "$work/log" || fail "the program did not quit"
echo "puzzle: ok"
