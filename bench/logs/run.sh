#!/usr/bin/env bash
# Indexes a 65536-epoch NMEA log (GGA, GSA, three GSV, VTG per second) with `trixlog epochs`
# and compares the time with gpsdecode and with `wc -l` on the same file. Prints the peak
# resident memory of trixlog while it holds the whole history.
# Usage: bench/logs/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
gen=$build/tools/samplegen/samplegen
trixlog=$build/tools/trixlog/trixlog
for exe in "$gen" "$trixlog"; do
    [ -x "$exe" ] || { echo "missing $exe: build the trixlog and samplegen targets" >&2; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
log=$tmp/unkn_001.log
"$gen" --kind nmea --epochs 65536 --gsv 3 --seed 7 -o "$log"
echo "log: $(stat -c %s "$log") bytes, $(wc -l < "$log") lines"

now() { date +%s.%N; }
div() { awk -v a="$1" -v b="$2" 'BEGIN { print (b > 0 ? a / b : 0) }'; }
# Best of three wall-clock runs of a command (stdout to /dev/null).
best() {
    local best=""
    for _ in 1 2 3; do
        local t0 t1 d
        t0=$(now)
        "$@" > /dev/null 2>&1 < "$log" || true
        t1=$(now)
        d=$(awk -v a="$t1" -v b="$t0" 'BEGIN { print a - b }')
        if [ -z "$best" ] || awk -v d="$d" -v b="$best" 'BEGIN { exit !(d < b) }'; then best=$d; fi
    done
    echo "$best"
}

t_trix=$(best "$trixlog" epochs "$log")
t_wc=$(best wc -l "$log")
printf 'trixlog epochs : %8.3f s\n' "$t_trix"
printf 'wc -l          : %8.3f s   (trixlog / wc = %.1f)\n' "$t_wc" "$(div "$t_trix" "$t_wc")"
if command -v gpsdecode > /dev/null; then
    t_gps=$(best gpsdecode)
    printf 'gpsdecode      : %8.3f s   (gpsdecode / trixlog = %.1f, target >= 10)\n' \
        "$t_gps" "$(div "$t_gps" "$t_trix")"
else
    echo "gpsdecode not installed (Debian package gpsd-clients): no reference time"
fi
if [ -x /usr/bin/time ]; then
    rss=$(/usr/bin/time -f '%M' "$trixlog" epochs "$log" 2>&1 > /dev/null | tail -n 1)
    echo "trixlog epochs peak RSS: $((rss / 1024)) MB ($rss KB; limit 150 MB)"
fi
rows=$("$trixlog" epochs "$log" | wc -l)
echo "epochs printed: $((rows - 1))"
