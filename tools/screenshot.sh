#!/usr/bin/env bash
# Regenerates docs/screenshot.png: a scripted headless run of the puzzle with three disks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$here/build/stangenspiel}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$program" --keys=31234567 --pace=20 --output="$out" --timeout=20000 > /dev/null
cp "$out/window0.png" "$here/docs/screenshot.png"
echo "docs/screenshot.png written"
