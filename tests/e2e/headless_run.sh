#!/usr/bin/env bash
# The command line and a scripted run without any display: help, version, a bad option, and the
# puzzle with three disks typed from a script, written out as a picture and a text screen.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"

"$program" --help | grep -q -- "--keys=KEYS" || fail "--help does not list --keys"
[ "$("$program" --version)" = "stangenspiel 0.1.0" ] || fail "--version"
code=0
message=$("$program" --frobnicate 2>&1 >/dev/null) || code=$?
[ $code -eq 2 ] || fail "a bad option exits with $code, not 2"
[ "$message" = "stangenspiel: unknown option '--frobnicate' (try --help)" ] || fail "bad option says: $message"

# "x" is ignored at the prompt, then three disks and seven moves.
"$program" --keys='x31234567' --pace=5 --output="$work/out" --timeout=30000 > "$work/log" 2>&1 ||
    fail "the scripted run did not end by itself"
picture="$work/out/window0.png"
[ -f "$picture" ] || fail "window 0 was not written"
expectin "$work/out/window0.txt" "^Wieviele Scheiben werden gewünscht \(2-9\): 3 *$" \
    "^Zug 7 von 7, bitte eine Taste drücken: *$" "^Animation des Lösungswegs beendet\. *$" "^\(Programm Ende\) *$"
[ "$(identify -format '%wx%h' "$picture")" = "1280x800" ] || fail "picture size"
# The three disks on the right rod (centre 813), the left rod empty again, the base brown.
[ "$(pixel "$picture" 813 522)" = "255,255,0" ] || fail "largest disk not on the right rod"
[ "$(pixel "$picture" 813 482)" = "255,255,0" ] || fail "smallest disk not on top of the right rod"
[ "$(pixel "$picture" 440 522)" = "0,0,0" ] || fail "a disk is left on the left rod"
[ "$(pixel "$picture" 469 522)" = "128,64,0" ] || fail "the left rod is not whole"
[ "$(pixel "$picture" 640 540)" = "128,64,0" ] || fail "the base"
echo "headless_run: ok"
