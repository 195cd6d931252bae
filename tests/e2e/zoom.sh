#!/usr/bin/env bash
# Zoom and full screen on a real screen: a drawing area of 200 x 120 pixels, each a colour of its own, at factors 1, 2,
# 3 and full screen, every pixel an exact block in its border's colour; clicks land on the pixel under the pointer;
# full screen covers the screen and gives the frame back. Then
# scaled desktops: at QT_SCALE_FACTOR 2, 1.5 and 1.25 the drawing area is never blurred: only the colours the program
# drew (black and the green outline), the outline in place and as large as the area.
source "$(dirname "$0")/../support/e2e.sh"
startgeometry
border='#545454'  # palette colour 5, the border a window is created with

shows() {  # shows FACTOR: the screen holds the picture at that factor where reported, each pixel an exact block
    convert "$work/memory.png" -sample "$((200 * $1))x$((120 * $1))!" -bordercolor "$border" -border 1 "$work/expected.png"
    checkarea "at factor $1" "$work/expected.png" "$1"
    left=$((x + $1 * bw)) top=$((sh - y - $1 * (bh + dh)))  # the drawing area's top-left corner on the screen
}
clicks() {  # clicks SCREENX SCREENY CLICKX CLICKY: a click there reaches the program as that position
    local pattern="^t_MouseEventHandler: Graphic #0 window, X = $3, Y = $4\$" before
    before=$(grep -c -E "$pattern" "$work/log" || true)
    xdotool mousemove --sync "$1" "$2" click 1
    waitfor "a click at $1,$2 did not arrive as $3,$4" test "$(grep -c -E "$pattern" "$work/log")" -gt "$before"
}
settles() {  # settles FIELDS...: asks for the report until its first fields are these (the desktop takes its time)
    for _ in $(seq 50); do
        send report 0
        [ "$(cut -d' ' -f2-$(($# + 1)) <<<"$report")" = "$*" ] && return 0
        sleep 0.1
    done
    fail "the window never reported $*, last $report"
}

send init 0 200 120 8 1
menubar=$title  # no window shown yet: the title is the menu bar alone
send pattern 0
send save 0 "$work/memory.png"
send size 0 100 $((1150 - 136 - title)) -1 -1
send show 0 1
send front 0
if [ -n "${STANGENSPIEL_E2E_WM:-}" ]; then
    # The window manager's title bar is measured once the window is shown, on the desktop's own time.
    for _ in $(seq 50); do
        [ "$title" -gt "$menubar" ] && break
        sleep 0.1
        send report 0
    done
    [ "$title" -gt "$menubar" ] || fail "the window manager's title bar never counted: $report"
fi
for factor in 1 2 3; do
    send zoom 0 $factor
    shows $factor
    [ $factor != 1 ] || windowtop=$((y + fh))
    [ $((y + fh)) = "$windowtop" ] || fail "zoomed to $factor the window's top moved from $windowtop: $report"
    clicks $((left + 37 * factor + factor - 1)) $((top + 21 * factor + factor - 1)) 37 21
done

windowed=$(cut -d' ' -f2-8 <<<"$report")
send full 0 1
settles 0 0 200 120 1920 1200 0
# Factor 9 fits 1920 x 1200 (10 would be 1200 pixels tall, fine, but 2000 wide); the rest is border colour.
shoot
convert -size 1920x1200 "xc:$border" \( "$work/memory.png" -sample 1800x1080! \) -geometry +60+60 -composite \
    "$work/expected.png"
differ=$(differing "$work/screen.png" "$work/expected.png")
[ "$differ" = 0 ] || fail "full screen: $differ pixels of the screen are wrong"
send full 0 0
settles $windowed
shows 3

device() { awk -v v="$1" -v f="$factor" 'BEGIN { printf "%d", v * f }'; }  # logical to device pixels
for factor in 2 1.5 1.25; do
    startgeometry QT_SCALE_FACTOR=$factor
    send init 0 200 120 8 1
    send size 0 100 400 -1 -1
    send show 0 1
    shoot
    width=$(device "$dw")
    height=$(device "$dh")
    # Logical positions round to whole device pixels: look for the area one pixel around.
    convert "$work/screen.png" -crop "$((width + 4))x$((height + 4))+$(($(device $((x + bw))) - 2))+$(($(device $((sh - y - bh - dh))) - 2))" \
        +repage "$work/around.png"
    read -r ow oh bx by <<<"$(box "$work/around.png" '#00FF00')"
    [ "$ow $oh" = "$width $height" ] || fail "at factor $factor the outline is ${ow}x$oh, not ${width}x$height"
    convert "$work/around.png" -crop "${width}x$height$bx$by" +repage "$work/area.png"
    colours=$(convert "$work/area.png" -unique-colors txt:- | grep -c -v '^#' || true)
    [ "$colours" = 2 ] || fail "at factor $factor the drawing area has $colours colours: blurred"
done
echo "zoom: ok"
