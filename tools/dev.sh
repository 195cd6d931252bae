#!/usr/bin/env bash
# The ways into the project on a fresh Debian 12 machine:
#   tools/dev.sh run    install what is missing, build, start the program
#   tools/dev.sh build  install what is missing, build
#   tools/dev.sh test   install what is missing, build, run the whole test suite
#                       (normal build, the Debian packages, then AddressSanitizer +
#                       UndefinedBehaviorSanitizer),
#                       the stress test under ThreadSanitizer and each fuzz target for 60 s
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
    build)
        install_packages
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        ;;
    test)
        install_packages
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        run_tests build
        echo "== Debian packages: lintian, installed together, a game and a program built on them =="
        tools/check_packages.sh build-release
        echo "== Again under AddressSanitizer and UndefinedBehaviorSanitizer =="
        build build-asan -DCMAKE_BUILD_TYPE=Debug -DSTANGENSPIEL_SANITIZE=ON -DSTANGENSPIEL_BENCH=OFF
        ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
        echo "== Stress test under ThreadSanitizer =="
        # Only the stress test's program: the tool's suppressions and options come with it.
        cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTANGENSPIEL_TSAN=ON \
            -DSTANGENSPIEL_BENCH=OFF > build-tsan.configure.log 2>&1 || { cat build-tsan.configure.log; exit 1; }
        cmake --build build-tsan -j"$(nproc)" --target test_stress stangenspiel_resources
        ctest --test-dir build-tsan -L stress --output-on-failure --timeout 900
        echo "== Fuzz targets under AddressSanitizer and UndefinedBehaviorSanitizer =="
        cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Fuzz \
            -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only" -DSTANGENSPIEL_FUZZ=ON -DSTANGENSPIEL_TESTS=OFF \
            -DSTANGENSPIEL_BENCH=OFF -DSTANGENSPIEL_EXAMPLES=OFF > build-fuzz.configure.log 2>&1 \
            || { cat build-fuzz.configure.log; exit 1; }
        cmake --build build-fuzz -j"$(nproc)" --target fuzz_all
        fuzz/run.sh build-fuzz "${STANGENSPIEL_FUZZ_SECONDS:-60}"
        ;;
    *)
        echo "usage: tools/dev.sh run|build|test" >&2
        exit 2
        ;;
esac
