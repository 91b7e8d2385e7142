#!/usr/bin/env bash
# Prints the tests' share of the product code in non-blank lines. Tests: *_test files, tests/,
# fuzz/ sources, fixtures, fakes and samples; product code: the other C++ under src/. bench/,
# scripts/ and data files count on neither side.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=0
code=0
while read -r file; do
    lines=$(grep -c -v '^[[:space:]]*$' "$file" || true)
    if [[ $file =~ (^|/)(tests?|test_support|fuzz)/|_test\.|fixture|fakes?\.|test_data|_sample\.|e2e|x_session ]]; then
        tests=$((tests + lines))
    elif [[ $file == src/* ]]; then
        code=$((code + lines))
    fi
done < <(git ls-files '*.cpp' '*.h' '*.sh' | grep -v -E '^(bench|scripts)/')
# Four places, so that a share just over the aim does not print as the aim.
awk -v t="$tests" -v c="$code" \
    'BEGIN { printf "tests %d lines, product code %d lines: %.4f (at most 0.35)\n", t, c, t / c }'
