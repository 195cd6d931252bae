#!/usr/bin/env bash
# Under weston's headless Wayland with XWayland the program is an X11 client where a typed game completes; with
# Wayland alone it says in one line that window positions cannot be honoured.
e2e_display=own
source "$(dirname "$0")/../support/e2e.sh"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix  # where XWayland makes its socket
weston --backend=headless-backend.so --xwayland --socket=wayland-e2e --log="$work/weston.log" &
servers+=($!)
export WAYLAND_DISPLAY=wayland-e2e
waitfor "weston's XWayland never listened" grep -q 'xserver listening on display' "$work/weston.log"
DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*$')
export DISPLAY

startprogram
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Stangenspiel$' | head -n 1) ||
    fail "window 0 is no X11 window on $DISPLAY"
sleep 1  # the program reaches its prompt
xdotool key --window "$window" --delay 150 x 3 space space space space space space space 2>/dev/null
waitforlog '^t_QuitProgram: '
grep -q 'Wayland' "$work/err" && fail "the X11 client complained about Wayland"

# Only native Wayland left: one line on standard error, and the program runs.
env -u DISPLAY timeout 3 "$program" >"$work/native.log" 2>"$work/native.err" || true
[ "$(grep -c 'window positions cannot be honoured' "$work/native.err")" = 1 ] ||
    fail "no single Wayland line: $(cat "$work/native.err")"
echo "wayland: ok"
