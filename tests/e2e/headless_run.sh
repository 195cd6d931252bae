#!/usr/bin/env bash
# The command line and a scripted run without any display: help, version, a bad option, and the
# puzzle with three disks typed from a script, written out as a picture and a text screen.
set -euo pipefail
program=$(realpath "${1:?path to stangenspiel}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "headless_run: $*"; exit 1; }

"$program" --help | grep -q -- "--keys=KEYS" || fail "--help does not list --keys"
[ "$("$program" --version)" = "stangenspiel 0.1.0" ] || fail "--version"
set +e
message=$("$program" --frobnicate 2>&1 >/dev/null); code=$?
set -e
[ $code -eq 2 ] || fail "a bad option exits with $code, not 2"
[ "$message" = "stangenspiel: unknown option '--frobnicate' (try --help)" ] || fail "bad option says: $message"

# "x" is ignored at the prompt, then three disks and seven moves.
"$program" --keys='x31234567' --pace=5 --output="$work/out" --timeout=30000 > "$work/log" 2>&1 \
    || { cat "$work/log"; fail "the scripted run did not end by itself"; }
text="$work/out/window0.txt"
[ -f "$text" ] && [ -f "$work/out/window0.png" ] || fail "window 0 was not written"
grep -q "^Wieviele Scheiben werden gewünscht (2-9): 3 *$" "$text" || fail "prompt line"
grep -q "^Zug 7 von 7, bitte eine Taste drücken: *$" "$text" || fail "last move prompt"
grep -q "^Animation des Lösungswegs beendet\. *$" "$text" || fail "closing line"
grep -q "^(Programm Ende) *$" "$text" || fail "end message"

pixel() { convert "$work/out/window0.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
[ "$(identify -format '%wx%h' "$work/out/window0.png")" = "1280x800" ] || fail "picture size"
# The three disks on the right rod (centre 813), the left rod empty again, the base brown.
[ "$(pixel 813 522)" = "255,255,0" ] || fail "largest disk not on the right rod"
[ "$(pixel 813 482)" = "255,255,0" ] || fail "smallest disk not on top of the right rod"
[ "$(pixel 440 522)" = "0,0,0" ] || fail "a disk is left on the left rod"
[ "$(pixel 469 522)" = "128,64,0" ] || fail "the left rod is not whole"
[ "$(pixel 640 540)" = "128,64,0" ] || fail "the base"
echo "headless_run: ok"
