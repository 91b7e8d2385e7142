#!/usr/bin/env bash
# Writes cmake/startup-order.txt: the program's own functions a start runs up to the first paint,
# as the bench preset's start-up program runs them under callgrind, for the linker to lay out
# together (cmake/startup_order.cmake). Run it when the start changes; bench/startup.sh shows
# what it saves in peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh valgrind libbenchmark-dev
cmake --preset bench >/dev/null
cmake --build --preset bench -j"${JOBS:-$(nproc)}" --target kalverin_startup
program=build/bench/bench/kalverin_startup
profile="$(mktemp)"
trap 'rm -f "$profile"' EXIT
QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    valgrind --tool=callgrind --demangle=no --callgrind-out-file="$profile" "$program" >/dev/null 2>&1
# Every function callgrind names, first seen first, that the program itself defines.
nm --defined-only "$program" | awk '$2 ~ /^[tTwW]$/ { print $3 }' | sort -u >"$profile.own"
sed -n -E 's/^c?fn=\([0-9]+\) (.*)$/\1/p' "$profile" | awk '!seen[$0]++' |
    grep -F -x -f "$profile.own" >cmake/startup-order.txt
rm -f "$profile.own"
echo "cmake/startup-order.txt: $(wc -l <cmake/startup-order.txt) functions"
