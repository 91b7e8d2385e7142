#!/usr/bin/env bash
# Installs what is missing, builds Kalverin and starts it on the bundled data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
exec build/release/src/app/kalverin
