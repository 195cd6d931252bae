#!/usr/bin/env bash
# Installed into a scratch prefix, as a user installs without packages: the game plays from there, and a program
# outside the tree builds on the framework with pkg-config. Each must find its fonts with no setting (the game's own
# place leads it to the library, the library to the fonts) and run headless. tools/check_packages.sh checks the
# Debian packages and builds the same program with find_package.
source "$(dirname "$0")/common.sh"
build=$(realpath "${1:?build folder}")
source=$(cd "$(dirname "$0")/hello" && pwd)

cmake --install "$build" --prefix "$work/prefix" > "$work/log" || fail "install"

pcdir=$(dirname "$(find "$work/prefix" -name stangenspiel.pc)")
flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs stangenspiel) || fail "pkg-config"
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir stangenspiel)
c++ "$source/hello.cpp" -o "$work/hallo-pc" $flags -Wl,-rpath,"$libdir" > "$work/log" 2>&1 || fail "pkg-config build"

cd /  # far from both trees, so only the programs' and the library's own locations can lead to the fonts
scripted "$work/prefix/games/stangenspiel" 2123 "$work/game"
grep -q "not found" "$work/log" && fail "the installed game did not find its fonts"
expectlines "$work/game/window0.txt" "^(Programm Ende)"
scripted "$work/hallo-pc" x "$work/out"
grep -q "not found" "$work/log" && fail "the pkg-config build did not find its fonts"
expectlines "$work/out/window0.txt" "^Hallo, Welt! Eine Taste, bitte: x *$" "^(Programm Ende)"
expectpixel "$work/out/window0.png" 50 100 255,255,0 "the pkg-config build: the yellow line"
echo "out_of_tree: ok"
