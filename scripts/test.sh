#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: once optimised, once with
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, with the fuzzers, which get a short run).
# Usage: scripts/test.sh [--quick]   (--quick: the optimised build only)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1
fuzz_seconds=${TRIX_FUZZ_SECONDS:-20}

# A compiler cache keyed on paths relative to the checkout: a second run, or a run from another
# clone on the same machine, recompiles only what changed.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

echo "== optimised build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --timeout 300

echo "== the run command without a display"
env -u DISPLAY -u WAYLAND_DISPLAY scripts/run.sh >/dev/null

if [ "${1:-}" = "--quick" ]; then
    exit 0
fi

echo "== sanitizer build (clang, ASan + UBSan, fuzzers)"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTRIX_SANITIZE=ON -DTRIX_FUZZ=ON -DTRIX_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan -j "$jobs"

echo "== fuzzing, ${fuzz_seconds} s per target"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for f in build-asan/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus=$(mktemp -d)
    seeds="$root/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/ 2>/dev/null || true
    echo "-- $name"
    "$f" -max_total_time="$fuzz_seconds" -max_len=4096 -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
    rm -rf "$corpus"
done

echo "== sanitizer tests"
ctest --test-dir build-asan -j "$jobs" --timeout 600
