#!/usr/bin/env bash
# Installs into a scratch prefix (as a user installs without packages) and plays a game with
# the puzzle from there: its own place must lead it to the library and the library to the fonts.
# The Debian packages are checked by tools/check_packages.sh.
set -euo pipefail
program=$(realpath "${1:?path to stangenspiel}")
build=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY
fail() { echo "install_package: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > "$work/install.log"
for file in games/stangenspiel bin/stangenspiel-grconvert share/applications/stangenspiel.desktop \
            share/icons/hicolor/scalable/apps/stangenspiel.svg share/man/man6/stangenspiel.6.gz \
            share/metainfo/io.github.stangenspiel.Stangenspiel.metainfo.xml \
            share/man/man1/stangenspiel-grconvert.1.gz share/doc/stangenspiel/copyright; do
    [ -f "$work/prefix/$file" ] || fail "not installed: $file"
done
grep -q "^Exec=/.*/games/stangenspiel$" "$work/prefix/share/applications/stangenspiel.desktop" || fail "desktop entry"

(cd / && "$work/prefix/games/stangenspiel" --keys='2123' --pace=5 --output="$work/run" --timeout=30000) \
    > "$work/run.log" 2>&1 || { cat "$work/run.log"; fail "the installed game did not finish"; }
grep -q "Font .* not found" "$work/run.log" && fail "the installed game did not find its fonts"
grep -q "^(Programm Ende)" "$work/run/window0.txt" || fail "the installed game did not reach the end"
echo "install_package: ok"
