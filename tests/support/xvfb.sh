#!/usr/bin/env bash
# xvfb.sh WIDTHxHEIGHT COMMAND...: runs the command on a fresh Xvfb of that screen size and
# answers its exit code. The server picks a free display itself (-displayfd), so tests started
# at the same moment never race for one display number the way `xvfb-run -a` does, where the
# loser's program meets a server that is not there ("could not connect to display"). -noreset:
# by default the server resets when its last client leaves, and a program started in that
# moment, as the next one of a script is on a bare server, cannot connect.
set -euo pipefail
screen=$1
shift
dir=$(mktemp -d)
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "${screen}x24" 3>"$dir/display" 2>"$dir/err" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
# The number is written once the server accepts connections.
for _ in $(seq 200); do
    grep -q . "$dir/display" && break
    kill -0 "$server" 2>/dev/null || { echo "xvfb.sh: Xvfb did not start" >&2; cat "$dir/err" >&2; exit 1; }
    sleep 0.05
done
grep -q . "$dir/display" || { echo "xvfb.sh: Xvfb gave no display within 10 s" >&2; exit 1; }
DISPLAY=:$(head -n 1 "$dir/display")
export DISPLAY
"$@"
