#!/usr/bin/env bash
# The windows on screen show their video memory 1:1 inside a border of the border colour.
# The same program runs twice: headless, writing each shown window's image as the framework
# builds it from video memory, and under Xvfb, where each window is photographed. Every
# photographed window must hold that image pixel for pixel, 16 pixels in from its left and
# bottom edges, surrounded by the border colour (palette colour 5, 84/84/84).
source "$(dirname "$0")/../support/e2e.sh"
border=16
bordercolour="84,84,84"
# A blinking text cursor may differ between the two runs: at most one 16 x 32 cell.
tolerance=512

# 1. The images the framework makes from video memory (the run ends at the time limit when the
#    program waits for a key; its pictures are written either way).
"$program" --output="$work/memory" --timeout=4000 > "$work/headless.log" 2>&1 || true
ls "$work"/memory/window*.png > /dev/null 2>&1 || fail "no window images written: $(cat "$work/headless.log")"

# 2. The windows as the X server shows them.
startprogram
timeout 30 xdotool search --sync --onlyvisible --name '^Stangenspiel' > /dev/null
sleep 4  # let every window be created, drawn and refreshed
for id in $(xdotool search --onlyvisible --name '^Stangenspiel'); do
    import -window "$id" "$work/shot-$id.png"
done

checked=0
for shot in "$work"/shot-*.png; do
    read -r sw sh < <(identify -format '%w %h\n' "$shot")
    match=""
    for image in "$work"/memory/window*.png; do
        read -r iw ih < <(identify -format '%w %h\n' "$image")
        if [ $((iw + 2 * border)) -eq "$sw" ] && [ $((ih + 2 * border)) -le "$sh" ]; then match=$image w=$iw h=$ih; fi
    done
    [ -n "$match" ] || continue
    top=$((sh - border - h))
    convert "$shot" -crop "${w}x${h}+${border}+${top}" +repage "$work/crop.png"
    differ=$(differing "$work/crop.png" "$match")
    name=$(basename "$match")
    checked=$((checked + 1))
    [[ "$differ" =~ ^[0-9.]+$ ]] && [ "${differ%%.*}" -le "$tolerance" ] ||
        fail "$name: $differ pixels differ from video memory"
    # The border on every side of the drawing area.
    for point in "$((border / 2)) $((top + h / 2))" "$((sw - border / 2)) $((top + h / 2))" \
                 "$((border + w / 2)) $((sh - border / 2))" "$((border + w / 2)) $((top - border / 2))"; do
        read -r x y <<< "$point"
        colour=$(pixel "$shot" "$x" "$y")
        [ "$colour" = "$bordercolour" ] || fail "$name: border pixel ($x, $y) is $colour"
    done
    echo "checked $name against the window on screen ($sw x $sh): $differ pixels differ"
done

[ "$checked" -gt 0 ] || fail "no window on screen matched a window image"
echo "window pixels: $checked windows match their video memory"
