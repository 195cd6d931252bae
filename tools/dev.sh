#!/usr/bin/env bash
# The two ways into the project on a fresh Debian 12 machine:
#   tools/dev.sh run    install what is missing, build, start the program
#   tools/dev.sh test   install what is missing, build, run the whole test suite
#                       (normal build, then AddressSanitizer + UndefinedBehaviorSanitizer)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

install_packages() {
    local missing=()
    while read -r package; do
        [ -z "$package" ] && continue
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done < tools/debian-packages.txt
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {  # build <dir> [cmake options...]
    local dir=$1; shift
    local launcher=()
    if command -v ccache >/dev/null; then
        # Paths below the checkout count as relative, so clones in other folders share the cache.
        export CCACHE_BASEDIR="$here"
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" -j"$(nproc)"
}

run_tests() {  # run_tests <dir>
    ctest --test-dir "$1" --output-on-failure -j"$(nproc)" --timeout 600
}

case "${1:-}" in
    run)
        install_packages
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        exec ./build/stangenspiel
        ;;
    test)
        install_packages
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        run_tests build
        echo "== Again under AddressSanitizer and UndefinedBehaviorSanitizer =="
        build build-asan -DCMAKE_BUILD_TYPE=Debug -DSTANGENSPIEL_SANITIZE=ON -DSTANGENSPIEL_BENCH=OFF
        ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
        ;;
    *)
        echo "usage: tools/dev.sh run|test" >&2
        exit 2
        ;;
esac
