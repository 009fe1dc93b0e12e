#!/usr/bin/env bash
# SIGTERM and SIGHUP end trix32 as "Exit" does: status 0 and the profile saved.
# Usage: termination_test.sh TRIX32
set -u
trix32=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
for sig in TERM HUP; do
    profile="$dir/trix32-$sig.ini"
    QT_QPA_PLATFORM=offscreen "$trix32" --profile "$profile" --data-dir "$dir" >/dev/null 2>&1 &
    pid=$!
    sleep 3
    kill -"$sig" "$pid"
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "SIG$sig: trix32 is still running"
        kill -KILL "$pid"
        fail=1
        continue
    fi
    wait "$pid"
    rc=$?
    [ "$rc" -eq 0 ] || { echo "SIG$sig: exit status $rc"; fail=1; }
    grep -q '^\[' "$profile" 2>/dev/null || { echo "SIG$sig: the profile was not saved"; fail=1; }
done
exit $fail
