#!/usr/bin/env bash
# Prints the tests' share of the product code in non-blank lines. Tests are every line written
# by hand to test: *_test files, tests/, fuzz/ sources, fixtures, fakes and samples, and the
# transcripts' steps, comments and inline files (not the indented lines the runner fills in).
# Product code: the other C++ under src/. bench/, scripts/ and data files count on neither side.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=0
code=0
while read -r file; do
    lines=$(grep -c -v '^[[:space:]]*$' "$file" || true)
    if [[ $file =~ (^|/)(tests?|test_support|fuzz)/|_test\.|_tests?\.|fixture|fakes?\.|test_data|_sample\.|qt_test_main|e2e|x_session ]]; then
        tests=$((tests + lines))
    elif [[ $file == src/* ]]; then
        code=$((code + lines))
    fi
done < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc' '*.sh' '*.py' | grep -v -E '^(bench|scripts)/')
written=0
while read -r file; do
    written=$((written + $(grep -c -v -E '^[[:space:]]*$|^  ' "$file" || true)))
done < <(git ls-files 'tests/scenarios/**/*.txt')
# Four places, so that a share just over the aim does not print as the aim.
awk -v t="$tests" -v w="$written" -v c="$code" 'BEGIN {
    printf "tests %d lines (%d of code, %d of transcripts), product code %d lines: %.4f (at most 0.35)\n",
        t + w, t, w, c, (t + w) / c }'
