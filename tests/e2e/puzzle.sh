#!/usr/bin/env bash
# The real program under Xvfb: three disks chosen at the keyboard, the solution played with seven
# more keys; the board is checked in window 0's screenshots after the first move and at the end,
# and the log for its launch, window, printer and quit lines.
source "$(dirname "$0")/../support/e2e.sh"
startwindow

shot="$work/shot.png"
ox=0
oy=0
screenshot() {
    sleep 0.5  # a few refresh periods, so the view shows the last drawing
    import -window "$window" "$shot" || fail "no screenshot"
}

expect() {  # expect NAME X Y R,G,B: graphic pixel x, y
    local actual
    actual=$(pixel "$shot" $(($2 + ox)) $(($3 + oy)))
    [ "$actual" = "$4" ] || fail "$1: pixel ($2, $3) is $actual, expected $4"
}

# Finds where the graphic area lies inside the window picture from the base's first brown pixel:
# x 375 on row 540, and row 535 in column 600.
calibrate() {
    local row col
    row=$(convert "$shot" -crop "1x100000+$((600 + ox))+0" +repage txt:- | grep -i -m 1 '#804000' | cut -d, -f2 | cut -d: -f1 || true)
    [ -n "$row" ] || fail "no base found in the window picture"
    oy=$((row - 535))
    col=$(convert "$shot" -crop "100000x1+0+$((540 + oy))" +repage txt:- | grep -i -m 1 '#804000' | cut -d, -f1 || true)
    [ -n "$col" ] || fail "no base found in the window picture"
    ox=$((col - 375))
}

brown=128,64,0
yellow=255,255,0
black=0,0,0

xdotool key --window "$window" x 1 3 space
screenshot
calibrate
expect "rod 1 after the first move" 469 480 $brown
expect "erased disk left of rod 1" 407 475 $black
expect "erased disk right of rod 1" 532 490 $black
expect "second disk stays on rod 1" 469 500 $yellow
expect "disk arrived on rod 3, left edge" 751 515 $yellow
expect "disk arrived on rod 3, right edge" 876 530 $yellow
expect "beside the arrived disk" 750 520 $black
expect "beside the arrived disk" 877 520 $black
expect "rod 2 untouched" 641 520 $brown

xdotool key --window "$window" --delay 150 space space space space space space
waitforlog '^t_QuitProgram: '
screenshot
for position in 1 2 3; do
    y=$((515 - 20 * (position - 1)))
    half=$(((161 - 18 * (position - 1)) / 2))
    expect "goal disk $position, left edge" $((813 - half)) $y $yellow
    expect "goal disk $position, right edge" $((814 + half)) $((y + 15)) $yellow
    expect "beside goal disk $position" $((812 - half)) $y $black
    expect "rod 1 empty at position $position" 469 $y $brown
    expect "rod 2 empty at position $position" 641 $y $brown
    expect "rod 1 empty beside at position $position" 420 $y $black
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
