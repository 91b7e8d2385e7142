#!/usr/bin/env bash
# Start-up comparison: Kalverin's own start path against a bare Qt window with as many widgets
# and menus, each ending right after its first paint. Runs the two alternately and prints the
# median wall time and peak memory (max RSS) of each, and Kalverin's ratios to the bare window.
#
#   bench/startup.sh [BUILD_DIR]     (default build/bench; RUNS=20 and WARMUP=3 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/bench}/bench"
runs="${RUNS:-20}"
warmup="${WARMUP:-3}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

measure="$build/kalverin_measure"
kalverin="$build/kalverin_startup"
bare="$build/bare_window_startup"
for tool in "$measure" "$kalverin" "$bare"; do
    [ -x "$tool" ] || { echo "missing $tool: build the bench preset first (bench/run.sh)" >&2; exit 1; }
done

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

# One run: "wall_ms max_rss_kib" appended to the program's file; a failed start stops the script.
# Qt's notes on stderr about the headless platform are dropped.
run_once() {
    local name="$1" program="$2" figures
    figures="$("$measure" "$program" 2>/dev/null)"
    set -- $figures
    if [ "$3" != 0 ]; then
        echo "$name exited with $3" >&2
        exit 1
    fi
    echo "$1 $2" >>"$results/$name"
}

echo "Start to first paint, $runs runs each after $warmup warm-up runs, alternating" \
     "(QT_QPA_PLATFORM=$QT_QPA_PLATFORM, $(nproc) cores)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((i = 0; i < warmup; ++i)); do
    run_once warmup "$kalverin"
    run_once warmup "$bare"
done
for ((i = 0; i < runs; ++i)); do
    run_once kalverin "$kalverin"
    run_once bare "$bare"
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"

# The median of column $2 of file $1.
median() {
    cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

kalverin_wall="$(median "$results/kalverin" 1)"
kalverin_rss="$(median "$results/kalverin" 2)"
bare_wall="$(median "$results/bare" 1)"
bare_rss="$(median "$results/bare" 2)"

awk -v kw="$kalverin_wall" -v kr="$kalverin_rss" -v bw="$bare_wall" -v br="$bare_rss" 'BEGIN {
    printf "%-22s %14s %18s\n", "", "median wall", "median peak RSS"
    printf "%-22s %11.1f ms %14.1f MiB\n", "Kalverin", kw, kr / 1024
    printf "%-22s %11.1f ms %14.1f MiB\n", "bare Qt window", bw, br / 1024
    printf "%-22s %13.3f  %17.3f\n", "ratio (limit 1.2)", kw / bw, kr / br
    kept = (kw / bw <= 1.2 && kr / br <= 1.2)
    print kept ? "Start-up is within 1.2 times the bare window." \
               : "Start-up misses the 1.2 limit."
    exit kept ? 0 : 2
}'
