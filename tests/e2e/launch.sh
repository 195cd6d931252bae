#!/usr/bin/env bash
# The real program under Xvfb prints its launch lines in order and keeps running until quit.
set -euo pipefail
program=${1:?path to stangenspiel}
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

xvfb-run -a -s "-screen 0 1920x1200x24" "$program" > "$work/log" 2>"$work/err" &
pid=$!
for _ in $(seq 100); do
    grep -q "applicationDidFinishLaunching: End." "$work/log" 2>/dev/null && break
    sleep 0.1
done
sleep 1
kill -0 $pid || { echo "program ended on its own"; cat "$work/log" "$work/err"; exit 1; }

expected="applicationWillFinishLaunching: Called.
applicationDidFinishLaunching: Start.
initmxtools: Start.
initmxtools: End.
Program: Start.
applicationDidFinishLaunching: End."
actual=$(grep -E "^(applicationWillFinishLaunching|applicationDidFinishLaunching|initmxtools|Program):" "$work/log")
if [ "$actual" != "$expected" ]; then
    echo "launch lines differ:"; diff <(echo "$expected") <(echo "$actual") || true
    exit 1
fi
echo "launch: ok"
