#!/usr/bin/env bash
# Regenerates docs/screenshot.png and docs/recording.gif: scripted headless runs of the puzzle with
# three disks, the second recorded at a pace a reader can follow.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$here/build/stangenspiel}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$program" --keys=31234567 --pace=20 --output="$out" --timeout=20000 > /dev/null
cp "$out/window0.png" "$here/docs/screenshot.png"
echo "docs/screenshot.png written"
"$program" --keys=31234567 --pace=700 --record="$out/game.gif" --timeout=30000 > /dev/null
cp "$out/game.gif" "$here/docs/recording.gif"
echo "docs/recording.gif written"
