#!/usr/bin/env bash
# Builds the bench preset and runs every benchmark: the hot paths (Google Benchmark, five
# repetitions, medians) and the start-up comparison against a bare Qt window. Prints the figures,
# each one's limit and its ratio to its baseline, and keeps them in docs/benchmarks.txt, the one
# place the figures are written down. Exits non-zero when a limit is missed.
#
#   bench/run.sh                     (JOBS, RUNS and REPETITIONS may be set)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh libbenchmark-dev
cmake --preset bench >/dev/null
cmake --build --preset bench -j"${JOBS:-$(nproc)}"

# Kept without the terminal colours Google Benchmark prints even when told not to.
exec > >(tee >(sed 's/\x1b\[[0-9;]*m//g' >docs/benchmarks.txt))
echo "bench/run.sh at commit $(git rev-parse --short HEAD), $(date +%F), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
build/bench/bench/kalverin_benchmarks --benchmark_repetitions="${REPETITIONS:-5}" \
    --benchmark_report_aggregates_only=true --benchmark_color=false || status=$?
echo
bench/startup.sh build/bench || status=$?
exit "$status"
