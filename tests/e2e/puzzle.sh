#!/usr/bin/env bash
# The real program under Xvfb: three disks chosen at the keyboard (after two refused keys), the solution played with
# seven more; window 0's screenshot must show the finished board, the log its window, printer and quit lines.
source "$(dirname "$0")/../support/e2e.sh"
startwindow
xdotool key --window "$window" --delay 150 x 1 3 space space space space space space space
waitforlog '^t_QuitProgram: '
sleep 0.5  # a few refresh periods, so the view shows the last drawing
shot="$work/shot.png"
import -window "$window" "$shot" || fail "no screenshot"

# The only yellow is three stacked disks (162 x 56 pixels) on rod 3 of the board, whose rods and base are brown.
read -r _ _ bx by <<<"$(box "$shot" '#804000')"
[ "$(box "$shot" '#FFFF00')" = "162 56 +$((bx + 358)) +$((by + 145))" ] || fail "the disks are not all on rod 3"

expectin "$work/log" '^t_InitWindow: GraphicWindow #0 = 1280 x 800 pixel x 24 bit = 3\.000,00K video-memory = \$00D12000\.$' \
    '^t_QuitProgram: Quitting current thread with message in window #0\.$'
[ "$(grep -c -E '^p_PrinterAutoUpdateProcess: Start as thread #[0-9]+$' "$work/log")" = 1 ] || fail "printer threads"
kill -0 $pid || fail "the program ended with its thread"
# Quitting closes no window by anybody's click, and no shown window floods the log.
stopprogram
grep -E 'not initialized|CloseBox' "$work/log" && fail "noise in the log from start to quit"
grep -q '^applicationWillTerminate: Called\.$' "$work/log" || fail "the program did not quit"
echo "puzzle: ok"
