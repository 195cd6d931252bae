#!/usr/bin/env bash
# The real program under Xvfb prints its launch lines in order and keeps running until quit.
source "$(dirname "$0")/../support/e2e.sh"
startprogram
waitforlog '^applicationDidFinishLaunching: End\.'
sleep 1
kill -0 $pid || fail "program ended on its own"

expected=$(printf '%s\n' "applicationWillFinishLaunching: Called." "applicationDidFinishLaunching: Start." \
    "initmxtools: Start." "initmxtools: End." "Program: Start." "applicationDidFinishLaunching: End.")
actual=$(grep -E "^(applicationWillFinishLaunching|applicationDidFinishLaunching|initmxtools|Program):" "$work/log")
[ "$actual" = "$expected" ] || fail "launch lines differ: $(diff <(echo "$expected") <(echo "$actual") || true)"
echo "launch: ok"
