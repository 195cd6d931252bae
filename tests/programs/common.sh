# Sourced by the program scripts: strict mode, a work folder removed at the end, no display
# (the runs are headless), and fail, which shows the last run's output.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "$(basename "$0" .sh): $*"; cat "$work/log" 2>/dev/null || true; exit 1; }
pixel() {  # pixel <picture> <x> <y>: "r,g,b"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
