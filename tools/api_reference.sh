#!/usr/bin/env bash
# Builds the API reference from the public header's comments into OUTPUT (default build/docs);
# an undocumented public declaration, or any other warning, fails it. Further arguments are
# Doxyfile settings of their own ("SEARCHENGINE=NO").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/build/docs}")
mkdir -p "$output"
cd "$root"
{ cat docs/Doxyfile; echo "OUTPUT_DIRECTORY = $output"; printf '%s\n' "${@:2}"; } | doxygen -
echo "api reference: $output/api/index.html"
