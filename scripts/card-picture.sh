#!/usr/bin/env bash
# Renders the README's picture of a stat card, docs/stat-card.png, from a sample design.
# Usage: scripts/card-picture.sh [preset]   (the build preset to use; dev by default)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target stat_card_sample -j"$(nproc)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/program"
cp -R data "$work/program/Data"
"build/$preset/tests/stat_card_sample" "$work/program" "$work/card.pdf"
mkdir -p docs
pdftoppm -png -r 80 -singlefile "$work/card.pdf" docs/stat-card
echo "docs/stat-card.png"
