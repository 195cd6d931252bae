#!/usr/bin/env bash
# The windows on screen show their video memory 1:1 inside a border of the border colour. The same program runs
# headless, writing each window's image as the framework builds it from video memory, and under Xvfb, where each
# window is photographed: each photograph must hold its image pixel for pixel, 16 pixels in from its left and
# bottom edges, surrounded by palette colour 5 (84/84/84).
source "$(dirname "$0")/../support/e2e.sh"
border=16
tolerance=512  # a blinking text cursor may differ between the two runs: one 16 x 32 cell

# The run ends at the time limit when the program waits for a key; its pictures are written either way.
"$program" --output="$work/memory" --timeout=4000 > "$work/headless.log" 2>&1 || true
ls "$work"/memory/window*.png > /dev/null 2>&1 || fail "no window images written: $(cat "$work/headless.log")"
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
    checked=$((checked + 1))
    [[ "$differ" =~ ^[0-9.]+$ ]] && [ "${differ%%.*}" -le "$tolerance" ] ||
        fail "$(basename "$match"): $differ pixels differ from video memory"
    for point in "$((border / 2)) $((top + h / 2))" "$((sw - border / 2)) $((top + h / 2))" \
                 "$((border + w / 2)) $((sh - border / 2))" "$((border + w / 2)) $((top - border / 2))"; do
        colour=$(pixel "$shot" $point)
        [ "$colour" = "84,84,84" ] || fail "$(basename "$match"): border pixel ($point) is $colour"
    done
done
[ "$checked" -gt 0 ] || fail "no window on screen matched a window image"
echo "window pixels: $checked windows match their video memory"
