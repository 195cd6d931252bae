#!/usr/bin/env bash
# Installs into a scratch prefix (as a user installs without packages) and plays a game from there: its own place
# must lead it to the library and the library to the fonts. tools/check_packages.sh checks the Debian packages.
e2e_display=none
source "$(dirname "$0")/../support/e2e.sh"

cmake --install "$(dirname "$program")" --prefix "$work/prefix" > "$work/install.log"
for file in bin/stangenspiel-grconvert share/icons/hicolor/scalable/apps/stangenspiel.svg \
            share/man/man6/stangenspiel.6.gz share/man/man1/stangenspiel-grconvert.1.gz \
            share/metainfo/io.github.stangenspiel.Stangenspiel.metainfo.xml share/doc/stangenspiel/copyright; do
    [ -f "$work/prefix/$file" ] || fail "not installed: $file"
done
expectin "$work/prefix/share/applications/stangenspiel.desktop" "^Exec=/.*/games/stangenspiel$"

(cd / && "$work/prefix/games/stangenspiel" --keys='2123' --pace=5 --output="$work/run" --timeout=30000) \
    > "$work/log" 2>&1 || fail "the installed game did not finish"
grep -q "Font .* not found" "$work/log" && fail "the installed game did not find its fonts"
expectin "$work/run/window0.txt" "^\(Programm Ende\)"
echo "install_package: ok"
