#!/usr/bin/env bash
# Start-up comparison: Kalverin's own start path against a bare Qt window with the same captions,
# the same icon and the same Qt libraries, each ending right after its first paint. Runs the two
# in pairs (A B A B ...) under the headless platform and under a real X server (Xvfb, xcb), and
# prints for wall time, CPU time and peak memory (max RSS) the median of the pairwise ratios with
# their smallest and largest. Pairing keeps a burst of load from others on the machine inside
# one pair instead of on one side.
#
#   bench/startup.sh [BUILD_DIR]     (default build/bench)
#
#   RUNS=40 WARMUP=3                 pairs measured, and pairs run first and not counted
#   PLATFORMS="offscreen xcb"        the Qt platforms to measure under
#   A=PROGRAM B=PROGRAM              compare two other programs instead (two builds of Kalverin,
#                                    say, to see what one change gained); no limits then
#
# Where valgrind is installed, one run of each under callgrind also gives the instructions each
# start executes: a figure the load of the machine does not move.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/bench}/bench"
runs="${RUNS:-40}"
warmup="${WARMUP:-3}"
platforms="${PLATFORMS:-offscreen xcb}"
measure="$build/kalverin_measure"
a="${A:-$build/kalverin_startup}"
b="${B:-$build/bare_window_startup}"
a_name="Kalverin"
b_name="bare window"
limits=1
if [ -n "${A:-}${B:-}" ]; then
    a_name="A"
    b_name="B"
    limits=0
fi
for tool in "$measure" "$a" "$b"; do
    [ -x "$tool" ] || { echo "missing $tool: build the bench preset first (bench/run.sh)" >&2; exit 1; }
done

# Without a session bus Qt forks a helper that looks for one to start, a cost no desktop user
# pays and as large as a fifth of the start; the bus points at nothing instead, for both programs.
export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/kalverin-bench-bus"

results="$(mktemp -d)"
# A design in progress that a run of the user's left would be offered at start; the measured
# starts find none, and look for one all the same.
export XDG_STATE_HOME="$results/state"
xvfb_pid=""
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$results"
}
trap cleanup EXIT

# The baseline is only fair when it loads the Qt libraries Kalverin loads at start.
qt_libraries() {
    readelf -d "$1" | sed -n 's/.*Shared library: \[\(libQt6[^]]*\)\].*/\1/p' | sort | tr '\n' ' '
}
echo "Qt libraries: $a_name $(qt_libraries "$a")"
echo "              $b_name $(qt_libraries "$b")"
if [ "$limits" = 1 ] && [ "$(qt_libraries "$a")" != "$(qt_libraries "$b")" ]; then
    echo "The bare window does not link the Qt libraries Kalverin links: no fair comparison." >&2
    exit 1
fi

# Starts an X server on a display it picks itself, for the xcb runs.
start_x() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$results/display" \
        2>"$results/xvfb.log" &
    xvfb_pid=$!
    for ((tries = 0; tries < 100; ++tries)); do
        [ -s "$results/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$results/display" ] || { cat "$results/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(sed -n 1p "$results/display")"
    export DISPLAY
}

# One run: "wall_ms cpu_ms max_rss_kib" appended to FILE; a failed start stops the script. Qt's
# notes on stderr (the headless platform, a missing session bus) are dropped.
run_once() {
    local file="$1" program="$2" wall cpu rss code
    read -r wall cpu rss code < <("$measure" "$program" 2>/dev/null)
    if [ "$code" != 0 ]; then
        echo "$program exited with $code" >&2
        exit 1
    fi
    echo "$wall $cpu $rss" >>"$file"
}

# The instructions one start of the program executes, or nothing without valgrind.
instructions() {
    command -v valgrind >/dev/null || return 0
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

# Column $2 of file $1: its median.
median() {
    cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The ratios A/B of column $1, pair by pair: "median min max".
pair_ratios() {
    paste -d' ' "$results/a" "$results/b" | awk -v c="$1" '{ print $c / $(c + 3) }' | sort -g |
        awk '{ v[NR] = $1 }
             END { printf "%.3f %.3f %.3f\n",
                   (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'
}

status=0
for platform in $platforms; do
    export QT_QPA_PLATFORM="$platform"
    label="$platform"
    if [ "$platform" = xcb ]; then
        [ -n "$xvfb_pid" ] || start_x
        label="xcb (Xvfb $DISPLAY)"
    fi
    rm -f "$results/a" "$results/b" "$results/warmup"
    echo
    echo "Start to first paint under $label: $runs pairs A B after $warmup warm-up pairs," \
         "$(nproc) cores"
    load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
    for ((i = 0; i < warmup; ++i)); do
        run_once "$results/warmup" "$a"
        run_once "$results/warmup" "$b"
    done
    for ((i = 0; i < runs; ++i)); do
        run_once "$results/a" "$a"
        run_once "$results/b" "$b"
    done
    echo "load average before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg)"
    printf "%-10s %15s %15s   %-24s %s\n" "" "$a_name" "$b_name" "ratio: median (min-max)" \
        "$([ "$limits" = 1 ] && echo limit)"
    # Column, name, unit divisor, unit, limit.
    while read -r column name divisor unit limit; do
        read -r ratio low high < <(pair_ratios "$column")
        printf "%-10s %11.1f %-3s %11.1f %-3s   %.3f (%.3f-%.3f)" "${name/_/ }" \
            "$(awk -v v="$(median "$results/a" "$column")" -v d="$divisor" 'BEGIN { print v / d }')" \
            "$unit" \
            "$(awk -v v="$(median "$results/b" "$column")" -v d="$divisor" 'BEGIN { print v / d }')" \
            "$unit" "$ratio" "$low" "$high"
        if [ "$limits" = 0 ]; then
            echo
        elif awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r <= l) }'; then
            printf "      %s\n" "$limit"
        else
            printf "      %s  missed\n" "$limit"
            status=2
        fi
    done <<'ROWS'
1 wall 1 ms 1.05
2 CPU 1 ms 1.05
3 peak_RSS 1024 MiB 1.04
ROWS
    a_instructions="$(instructions "$a")"
    b_instructions="$(instructions "$b")"
    if [ -n "$a_instructions" ] && [ -n "$b_instructions" ]; then
        awk -v a="$a_instructions" -v b="$b_instructions" 'BEGIN {
            printf "%-10s %11.1f M   %11.1f M     %.3f (one run each, callgrind)\n",
                   "instrs", a / 1e6, b / 1e6, a / b }'
    fi
done

if [ "$limits" = 1 ]; then
    echo
    if [ "$status" = 0 ]; then
        echo "Start-up is within its limits of the bare window on every platform."
    else
        echo "Start-up misses a limit (marked above)."
    fi
fi
exit "$status"
