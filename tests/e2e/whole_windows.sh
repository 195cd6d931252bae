#!/usr/bin/env bash
# The puzzle and every example, started and left alone: each of their windows, with the frame a window manager
# draws around it, lies whole on the screen. A window that a program creates and never places keeps its frame's
# lower-left corner while it grows to its size; nothing may push its title bar above the top of the screen.
source "$(dirname "$0")/../support/e2e.sh"
build=$(dirname "$program")
read -r screenwidth screenheight < <(xdpyinfo | awk '/dimensions:/ {split($2, s, "x"); print s[1], s[2]}')

windowsof() {  # the program's shown windows (a window manager's own windows may match a search by process)
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null || true); do
        [ "$(xprop -id "$id" _NET_WM_PID 2>/dev/null | awk '{print $NF}')" = "$pid" ] && echo "$id"
    done
    true
}
# left top right bottom of a window's frame: its client area and what the window manager added around it.
outline() {
    local ax ay w h extents
    read -r ax ay w h < <(xwininfo -id "$1" | awk '/Absolute upper-left [XY]|Width:|Height:/ {print $NF}' | xargs)
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -oE '[0-9]+, [0-9]+, [0-9]+, [0-9]+' | tr -d , || true)
    read -r left right top bottom <<<"${extents:-0 0 0 0}"
    echo "$((ax - left)) $((ay - top)) $((ax + w + right)) $((ay + h + bottom))"
}

checked=0
# program, the windows it shows once it waits for its first key
for run in "$program 1" "$build/examples/example_paint 2" "$build/examples/example_terminal 3" \
    "$build/examples/example_windows 5"; do
    read -r binary count <<<"$run"
    name=$(basename "$binary")
    [ -x "$binary" ] || { echo "whole_windows: $name not built, skipped"; continue; }
    program=$binary
    startprogram
    shown() { [ "$(windowsof | wc -l)" -ge "$count" ]; }
    waitfor "$name: fewer than $count windows shown" shown
    sleep 1  # the window manager frames and places what it maps on its own time
    for id in $(windowsof); do
        read -r left top right bottom < <(outline "$id")
        title=$(xdotool getwindowname "$id")
        [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le "$screenwidth" ] && [ "$bottom" -le "$screenheight" ] ||
            fail "$name: window \"$title\" from $left,$top to $right,$bottom, not whole on the ${screenwidth}x$screenheight screen"
        checked=$((checked + 1))
    done
    stopprogram
done
echo "whole_windows: ok ($checked windows)"
