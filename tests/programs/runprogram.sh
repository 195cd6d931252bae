#!/usr/bin/env bash
# What runprogram gives every program: its name in --help, --version and the window title, a scripted
# run without a display, and a time limit that holds even when the program and desktop thread are stuck.
source "$(dirname "$0")/common.sh"
program=$(realpath "${1:?path to the test program}")
file=$(basename "$program")

"$program" --help | head -2 | grep -q "^A program that tests the framework\.$" || fail "--help lacks the description"
"$program" --help | grep -q "^Usage: $file \[OPTION\]" || fail "--help names another program"
[ "$("$program" --version)" = "$file 9.8.7" ] || fail "--version"
"$program" --bad 2> "$work/err" && code=0 || code=$?
[ $code -eq 2 ] && [ "$(cat "$work/err")" = "$file: unknown option '--bad' (try --help)" ] || fail "bad option: $code"

scripted "$program" x "$work/out"
expectlines "$work/out/window0.txt" "^Hallo, Welt! Eine Taste, bitte: x *$"

start=$(date +%s)
STANGENSPIEL_TEST=deadlock timeout 60 "$program" --timeout=1000 > "$work/log" 2>&1 && code=0 || code=$?
[ $code -eq 1 ] || fail "a stuck run ended with $code, not 1"
expectlines "$work/log" "^Scripted run: No end 3000 ms after the time limit of 1000 ms; the process is stopped\.$"
[ $(( $(date +%s) - start )) -lt 30 ] || fail "the watchdog took too long"
echo "runprogram: ok"
