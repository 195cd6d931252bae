# Shared by the end-to-end scripts: sourced first thing, it re-runs the calling script under a
# fresh Xvfb, gives it a work folder that is removed at the end (with the program it started),
# and helpers to start the program, wait for its log lines and window, and fail with the log.
program=$(realpath "${1:?path to stangenspiel}")
if [ -z "${STANGENSPIEL_E2E_INNER:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1200x24" env STANGENSPIEL_E2E_INNER=1 bash "$0" "$@"
fi
set -euo pipefail
name=$(basename "$0" .sh)
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || { kill $pid 2>/dev/null; wait $pid 2>/dev/null; } || true; rm -rf "$work"' EXIT

fail() {
    echo "$name: $*"
    echo "--- log"; cat "$work/log" 2>/dev/null || true
    echo "--- stderr"; tail -n 20 "$work/err" 2>/dev/null || true
    exit 1
}

startprogram() {  # startprogram [VAR=value ...]: the program in the background, log in $work/log
    env "$@" "$program" >"$work/log" 2>"$work/err" &
    pid=$!
}

waitforlog() {  # waits up to 10 s for a log line matching the pattern
    for _ in $(seq 100); do
        grep -qE "$1" "$work/log" && return 0
        sleep 0.1
    done
    fail "no log line matching: $1"
}

findwindow() {  # sets $window to window 0 on screen and gives it the keyboard
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Stangenspiel$' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "window 0 never became visible"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool windowfocus --sync "$window"
}
