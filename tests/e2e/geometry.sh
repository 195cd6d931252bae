#!/usr/bin/env bash
# Windows 0-7 sized, moved, hidden and shown, with a window manager or none: each drawing area (a green outline on
# black) is on screen in its grey border where reported; -1 sizes keep them. (The text windows share the frame code.)
source "$(dirname "$0")/../support/e2e.sh"
startgeometry

outlined() {  # outlined LABEL: the drawing area, a green outline on black, in its grey border where reported
    convert -size "$((dw + 2))x$((dh + 2))" xc:'#545454' +antialias -fill black -stroke '#00FF00' \
        -draw "rectangle 1,1 $dw,$dh" "$work/expected.png"
    checkarea "$1" "$work/expected.png"
}
keeps() {  # keeps WHAT CHECK [ARG]: window $w hidden and shown, or sized with -1, stays where it was
    local previous=$report
    if [ "$1" = "hidden and shown" ]; then
        send show $w 0
        send show $w 1
    else
        send size $w -1 -1 -1 -1
    fi
    [ "$(cut -d' ' -f1-5 <<<"$report")" = "$(cut -d' ' -f1-5 <<<"$previous")" ] ||
        fail "window $w $1: moved or resized from ($previous) to ($report)"
    "${@:2}" "window $w $1"
}

for w in 0 1 2 3 4 5 6 7; do
    if [ $w = 7 ]; then  # shown before it is created, it paints its background and says so once, not per paint
        send show 7 1
        id=$(xdotool search --sync --onlyvisible --name '^Stangenspiel$' | head -n 1)
        for size in 300 320 340; do
            xdotool windowsize "$id" "$size" "$size"  # each size is painted anew
            sleep 0.3
        done
        send show 7 0
        [ "$(grep -c '^t_WindowImage: Graphic window #7 not initialized\.$' "$work/log")" = 1 ] ||
            fail "a shown window never created floods the log or says nothing"
    fi
    send init $w 200 120 8 $((w == 7 ? 0 : 1))
    send size $w $((60 + (w % 4) * 450)) $((850 - (w / 4) * 350)) -1 -1
    send show $w 1
    outlined "window $w shown"
    keeps "sized with -1" outlined
    send size $w $((x + 20)) $((y - 15)) "$dw" "$dh"
    outlined "window $w moved"
    keeps "hidden and shown" outlined
done

# Title bar off on a window that had one: the drawing area stays where reported.
send title 6 0
[ "$title" = 0 ] || fail "title-less window 6 reports a title height of $title"
outlined "window 6 title-less"

# The window manager's close box hides a window and tells the program; nothing else does.
closed=0
if [ "${STANGENSPIEL_E2E_WM:-}" = openbox ]; then
    closed=1
    send show 9 1
    printer=$(xdotool search --sync --onlyvisible --name '^Drucker$' | head -n 1)
    timeout 5 xdotool windowactivate --sync "$printer" 2>/dev/null || true
    xdotool key alt+F4  # openbox's key for the close box
    waitforlog '^t_MouseEventPostCloseBoxClick: Window = 9$'
    [ -z "$(xdotool search --onlyvisible --name '^Drucker$')" ] || fail "the close box left the printer window on screen"
fi
clicks=$(grep -c 'CloseBox' "$work/log" || true)
[ "$clicks" = "$closed" ] || fail "close-box lines: $clicks, where $closed window was closed"
echo "geometry: ok ($step calls checked)"
