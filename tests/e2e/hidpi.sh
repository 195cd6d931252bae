#!/usr/bin/env bash
# Scaled desktops: at QT_SCALE_FACTOR=2 every framework pixel is an exact 2x2 block; at 1.25 and 1.5 the drawing
# area is never blurred: only the colours the program drew (black and the green outline), the outline in place.
source "$(dirname "$0")/../support/e2e.sh"
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
    if [ "$factor" = 2 ]; then
        convert -size "${dw}x${dh}" xc:black +antialias -fill black -stroke '#00FF00' \
            -draw "rectangle 0,0 $((dw - 1)),$((dh - 1))" -sample 200% "$work/expected.png"
        differ=$(differing "$work/area.png" "$work/expected.png")
        [ "$differ" = 0 ] || fail "at factor 2, $differ pixels are no exact 2x2 blocks"
    fi
    colours=$(convert "$work/area.png" -unique-colors txt:- | grep -c -v '^#' || true)
    [ "$colours" = 2 ] || fail "at factor $factor the drawing area has $colours colours: blurred"
done
echo "hidpi: ok"
