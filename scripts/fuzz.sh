#!/usr/bin/env bash
# Builds the fuzzers (clang 14, libFuzzer, ASan, UBSan), runs each for the given number of
# seconds (default 30), then replays every seed corpus. Inputs the fuzzers find go to
# build/fuzz/found/<target>; a crash leaves its input in build/fuzz/crashes and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
scripts/install-deps.sh clang-14 libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

bin=build/fuzz/fuzz
mkdir -p build/fuzz/crashes
failed=()
summary=()
for corpus in fuzz/corpus/*/; do
    target="$(basename "$corpus")"
    found="build/fuzz/found/$target"
    mkdir -p "$found"
    log="build/fuzz/$target.log"
    echo "== fuzzing $target for ${seconds}s"
    # The first folder takes what the fuzzer finds; the committed seeds are only read.
    if "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -dict=fuzz/fuzz.dict \
        -print_final_stats=1 -artifact_prefix="build/fuzz/crashes/$target-" \
        "$found" "$corpus" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        failed+=("$target")
        tail -n 40 "$log"
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    summary+=("$(printf '%-28s %12s runs  %s' "$target" "${runs:-?}" "$result")")
done

echo "== replaying the seed corpora"
for corpus in fuzz/corpus/*/; do
    target="$(basename "$corpus")"
    if ! "$bin/replay_$target" "$corpus" 2>"build/fuzz/$target.replay.log"; then
        tail -n 40 "build/fuzz/$target.replay.log"
        failed+=("$target (replay)")
    fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]}"
    exit 1
fi
echo "Every target ran without a crash and every seed corpus replays."
