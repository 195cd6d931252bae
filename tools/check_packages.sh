#!/usr/bin/env bash
# Builds the four Debian packages from a Release tree (build-release), holds each to lintian
# (no error, no warning), installs them together into a scratch root with dpkg, plays a scripted
# game with the installed puzzle, builds the out-of-tree example against the installed
# development files and runs an installed Python example with the installed module.
#   tools/check_packages.sh [BUILD-FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "check_packages: $*"; exit 1; }
step() { echo "== $*"; }

step "Release build in $build"
launcher=()
if command -v ccache > /dev/null; then
    export CCACHE_BASEDIR="$root"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Debian's hardening flags (what dpkg-buildflags gives, without -g: the packages ship stripped
# programs).
cxxflags="-O2 -fstack-protector-strong -Wformat -Werror=format-security -D_FORTIFY_SOURCE=2"
ldflags="-Wl,-z,relro -Wl,-z,now"
cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR=lib/x86_64-linux-gnu -DSTANGENSPIEL_INSTALL_RPATH=OFF \
    -DSTANGENSPIEL_API_REFERENCE=ON -DSTANGENSPIEL_TESTS=OFF -DSTANGENSPIEL_BENCH=OFF \
    -DSTANGENSPIEL_EXAMPLES=OFF > "$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configure"; }
cmake --build "$build" -j"$(nproc)" > "$work/build.log" 2>&1 || { tail -50 "$work/build.log"; fail "build"; }

step "Packages"
rm -rf "$build/packages"
(cd "$build" && cpack -B "$build/packages") > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$build"/packages/*.deb)
[ ${#debs[@]} -eq 4 ] || fail "expected four packages, found: ${debs[*]}"
for deb in "${debs[@]}"; do
    printf '%-48s %6s kB  Depends: %s\n' "$(basename "$deb")" "$(( $(stat -c %s "$deb") / 1024 ))" \
        "$(dpkg-deb -f "$deb" Depends)"
done

step "lintian"
status=0
lintian --fail-on error,warning --display-info "${debs[@]}" > "$work/lintian.log" 2>&1 || status=$?
grep -E '^[IO]: ' "$work/lintian.log" | sort -u || true
[ $status -eq 0 ] || { grep -v -E '^[IO]: ' "$work/lintian.log"; fail "lintian reports errors or warnings"; }

step "Installed together into a scratch root"
# The scratch root has no dependencies of its own; apt resolves them against this system instead.
apt-get install --simulate -qq "${debs[@]}" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "unmet dependencies"; }
target=$work/root
mkdir -p "$target/var/lib/dpkg/info" "$target/var/lib/dpkg/updates"
touch "$target/var/lib/dpkg/status"
dpkg --root="$target" --log=/dev/null --force-depends --force-not-root -i "${debs[@]}" > "$work/dpkg.log" 2>&1 \
    || { cat "$work/dpkg.log"; fail "dpkg could not install the packages"; }
usr=$target/usr
export LD_LIBRARY_PATH=$usr/lib/x86_64-linux-gnu  # the scratch root is not the loader's
# The audio libraries come with the sound module, loaded at the first sound, not with the library.
[ -f "$usr/lib/x86_64-linux-gnu/stangenspiel/stangenspiel_sound.so" ] || fail "no sound module in the package"
readelf -d "$usr/lib/x86_64-linux-gnu/libstangenspiel.so.0" | grep -q -E "Multimedia|sndfile" \
    && fail "the library itself links the audio libraries"
# The installed library exports the calls of the installed header and nothing else.
/usr/bin/python3 "$root/tools/exports.py" check --header "$usr/include/stangenspiel/stangenspiel.h" \
    --library "$usr/lib/x86_64-linux-gnu/libstangenspiel.so.0" || fail "the installed library's exports"
MANPATH=$usr/share/man man 6 stangenspiel 2>&1 | grep -q "stangenspiel - the three-rod disk puzzle" \
    || fail "man 6 stangenspiel"

step "A scripted game with the installed puzzle"
# Far from the build tree, so only the library's own place can lead to the fonts.
(cd / && "$usr/games/stangenspiel" --keys='2123' --pace=5 --output="$work/game" --timeout=30000) \
    > "$work/game.log" 2>&1 || { cat "$work/game.log"; fail "the installed game did not finish"; }
grep -q "not found" "$work/game.log" && fail "the installed game did not find its resources"
grep -q "^(Programm Ende)" "$work/game/window0.txt" || fail "the installed game did not reach the end"
"$usr/bin/stangenspiel-grconvert" "$work/game/window0.png" "$work/game/window0.gr" > "$work/convert.log" 2>&1 \
    || { cat "$work/convert.log"; fail "the installed converter"; }

step "The out-of-tree example against the installed development files"
cmake -S "$root/tests/programs/hello" -B "$work/hello" -G Ninja -DCMAKE_PREFIX_PATH="$usr" \
    > "$work/hello.log" 2>&1 || { cat "$work/hello.log"; fail "find_package(Stangenspiel)"; }
cmake --build "$work/hello" > "$work/hello.log" 2>&1 || { cat "$work/hello.log"; fail "building the example"; }
PKG_CONFIG_PATH=$usr/lib/x86_64-linux-gnu/pkgconfig pkg-config --libs stangenspiel | grep -q -- "-L$usr/" \
    || fail "pkg-config stangenspiel does not lead to the scratch root"
(cd / && "$work/hello/hallo" --keys='x' --pace=5 --output="$work/hello-run" --timeout=30000) \
    > "$work/hello.log" 2>&1 || { cat "$work/hello.log"; fail "the example did not finish"; }
grep -q "^Hallo, Welt! Eine Taste, bitte: x *$" "$work/hello-run/window0.txt" || fail "the example's screen"
step "A Python example with the installed module"
python=$usr/lib/python3/dist-packages
[ -f "$python/stangenspiel.pyi" ] || fail "no stub beside the installed module"
export PYTHONPATH=$python  # the scratch root's, as /usr/lib/python3/dist-packages is the system's
[ "$(/usr/bin/python3 -c 'import stangenspiel; print(stangenspiel.frameworkversion())')" = \
    "$(dpkg-deb -f "$build"/packages/python3-stangenspiel_*.deb Version | cut -d- -f1)" ] \
    || fail "python3 -c 'import stangenspiel' does not give the package's version"
examples=$usr/share/doc/python3-stangenspiel/examples
guesses='50{Return}zwei{Return}25{Return}75{Return}12{Return}88{Return}37{Return}62{Return}'
(cd / && /usr/bin/python3 "$examples/guess.py" --keys="$guesses" --pace=5 --seed=1 --output="$work/python-run" \
    --timeout=30000) > "$work/python.log" 2>&1 || { cat "$work/python.log"; fail "the Python example did not finish"; }
grep -q "^Versuch 2 von 7: zwei *$" "$work/python-run/window0.txt" \
    && grep -q "^(Bitte eine Zahl eingeben) *$" "$work/python-run/window0.txt" \
    && grep -q "^(Programm Ende)" "$work/python-run/window0.txt" \
    || { cat "$work/python.log" "$work/python-run/window0.txt"; fail "the installed Python example's screen"; }
echo "check_packages: ok"
