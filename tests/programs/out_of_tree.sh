#!/usr/bin/env bash
# A program outside the project's tree, built against an installed copy of the framework twice:
# with CMake's find_package and with a plain compiler line from pkg-config. Both must find their
# fonts with no setting and run a scripted game headless.
source "$(dirname "$0")/common.sh"
build=$(realpath "${1:?build folder}")
source=$(cd "$(dirname "$0")/hello" && pwd)

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || fail "install"

cmake -S "$source" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" > "$work/log" 2>&1 || fail "configure"
cmake --build "$work/cmake" > "$work/log" 2>&1 || fail "find_package build"

pcdir=$(dirname "$(find "$prefix" -name stangenspiel.pc)")
flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs stangenspiel) || fail "pkg-config"
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir stangenspiel)
c++ "$source/hello.cpp" -o "$work/hallo-pc" $flags -Wl,-rpath,"$libdir" > "$work/log" 2>&1 || fail "pkg-config build"

for program in "$work/cmake/hallo" "$work/hallo-pc"; do
    # Far from both trees, so only the library's own location can lead to the fonts.
    (cd / && "$program" --keys='x' --pace=5 --output="$work/out" --timeout=30000) > "$work/log" 2>&1 ||
        fail "$program did not finish"
    grep -q "not found" "$work/log" && fail "$program did not find its fonts"
    grep -q "^Hallo, Welt! Eine Taste, bitte: x *$" "$work/out/window0.txt" || fail "$program: screen"
    grep -q "^(Programm Ende)" "$work/out/window0.txt" || fail "$program: end"
    [ "$(pixel "$work/out/window0.png" 50 100)" = "255,255,0" ] || fail "$program: the yellow line is missing"
    rm -rf "$work/out"
done
echo "out_of_tree: ok"
