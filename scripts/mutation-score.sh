#!/usr/bin/env bash
# Measures how many planted faults the tests catch on the committed sources and records the
# score in docs/mutation-scores.txt, one line per run, so that the figure is never copied by hand.
#
#   scripts/mutation-score.sh [SEED] [COUNT]     (defaults 1 and 80; MUTANTS names the tool)
set -euo pipefail
cd "$(dirname "$0")/.."
seed="${1:-1}"
count="${2:-80}"
tool="${MUTANTS:-../shared/tools/mutants}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
"$tool" --count "$count" --seed "$seed" | tee "$log"
score="$(grep '^mutation score:' "$log" | sed 's/^mutation score: //')"
printf '%s  commit %s  seed %s  %s\n' "$(date +%F)" "$(git rev-parse --short HEAD)" "$seed" \
    "$score" >>docs/mutation-scores.txt
