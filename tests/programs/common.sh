# Sourced by the program scripts: a work folder, no display, helpers that fail with the last run's output.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "$(basename "$0" .sh): $*"; cat "$work/log" 2>/dev/null || true; exit 1; }
expectpixel() {  # expectpixel <picture> <x> <y> <r,g,b> <what>
    local rgb="%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" actual
    actual=$(convert "$1" -format "$rgb" info:)
    [ "$actual" = "$4" ] || fail "$5: $actual at $2,$3 of $(basename "$1")"
}
expectlines() {  # expectlines <file> <pattern>...: each pattern matches a line of the file
    for line in "${@:2}"; do grep -q "$line" "$1" || fail "no line $line in $(cat "$1")"; done
}
scripted() {  # scripted <program> <keys> <output folder> [option...]: a headless run that must end by itself
    "$1" --keys="$2" --pace=10 --output="$3" --timeout=60000 "${@:4}" > "$work/log" 2>&1 || fail "$1 did not finish"
}
