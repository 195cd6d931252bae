#!/usr/bin/env bash
# Installs into a scratch prefix and runs from there, then builds the Debian package, checks its
# contents and dependencies, unpacks it into a scratch root and runs that copy too.
set -euo pipefail
program=$(realpath "${1:?path to stangenspiel}")
build=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install_package: $*"; exit 1; }

playsthrough() {  # playsthrough <program>: a headless game of two disks ends as it should
    unset DISPLAY
    "$1" --keys='2123' --pace=5 --output="$work/run" --timeout=30000 > "$work/run.log" 2>&1 \
        || { cat "$work/run.log"; fail "$1 did not finish a game"; }
    grep -q "Font .* not found" "$work/run.log" && fail "$1 did not find its fonts"
    grep -q "^(Programm Ende)" "$work/run/window0.txt" || fail "$1 did not reach the end"
    rm -rf "$work/run"
}

cmake --install "$build" --prefix "$work/prefix" > "$work/install.log"
for file in bin/stangenspiel "share/stangenspiel/MenloBold 16x32.font" \
            "share/stangenspiel/MenloRegular 16x32.font" share/stangenspiel/sysbeep.aif \
            share/applications/stangenspiel.desktop share/icons/hicolor/scalable/apps/stangenspiel.svg \
            share/metainfo/io.github.stangenspiel.Stangenspiel.metainfo.xml; do
    [ -f "$work/prefix/$file" ] || fail "not installed: $file"
done
grep -q "^Exec=stangenspiel$" "$work/prefix/share/applications/stangenspiel.desktop" || fail "desktop entry"
playsthrough "$work/prefix/bin/stangenspiel"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6multimedia6 libsndfile1 libicu72; do
    echo "$depends" | grep -q "$library" || fail "the package does not depend on $library: $depends"
done
dpkg-deb -c "$deb" > "$work/contents"
grep -q "./usr/bin/stangenspiel$" "$work/contents" || fail "the package has no program"
dpkg-deb -x "$deb" "$work/root"
playsthrough "$work/root/usr/bin/stangenspiel"
echo "install_package: ok ($(basename "$deb"))"
