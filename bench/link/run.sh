#!/usr/bin/env bash
# Throughput of `trixlog record` against `cat` on the same pseudo-terminal fed by
# `rxsim --blast`, and the pump's line-to-decoder latency at 921600 baud-equivalent rate.
# Usage: bench/link/run.sh [BUILD_DIR]   (BYTES=N to change the volume, default 50 MB)
set -euo pipefail
build=${1:-build}
bytes=${BYTES:-50000000}
rxsim=$build/tools/rxsim/rxsim
trixlog=$build/tools/trixlog/trixlog
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }

# One blast: rxsim sends $bytes and quits once the reader has taken them all; the reader ends
# when the line goes down. Prints the reader's seconds.
blast() {
    local reader=$1
    "$rxsim" --blast --bytes "$bytes" --model 16 > "$work/dev" &
    local sim=$!
    while [ ! -s "$work/dev" ]; do sleep 0.01; done
    local dev
    dev=$(head -n 1 "$work/dev")
    local t0 t1
    t0=$(now)
    case $reader in
        cat) cat "$dev" > "$work/cat.out" 2>/dev/null || true ;;
        record)
            mkdir -p "$work/logs"
            "$trixlog" record "$dev" --model 16 --dir "$work/logs" > /dev/null 2>&1 || true ;;
    esac
    t1=$(now)
    wait "$sim" || true
    rm -f "$work/dev"
    echo "$t0 $t1" | awk '{printf "%.3f", $2 - $1}'
}

cat_s=$(blast cat)
cat_bytes=$(stat -c %s "$work/cat.out")
rec_s=$(blast record)
rec_bytes=$(cat "$work"/logs/*.log | wc -c)

awk -v n="$bytes" -v cs="$cat_s" -v cb="$cat_bytes" -v rs="$rec_s" -v rb="$rec_bytes" 'BEGIN {
    ct = cb / cs / 1e6; rt = rb / rs / 1e6
    printf "cat:            %d bytes in %.3f s = %.1f MB/s\n", cb, cs, ct
    printf "trixlog record: %d bytes in %.3f s = %.1f MB/s (recorded %s of %d sent)\n", rb, rs, rt, (rb == n ? "all" : "NOT all"), n
    printf "ratio record/cat: %.2f (target >= 0.5)\n", rt / ct
}'
"$build/bench/link/bench_link_latency" 3
