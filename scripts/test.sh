#!/usr/bin/env bash
# Installs what is missing, builds Kalverin with its tests and runs every test.
# "scripts/test.sh asan" builds and runs the same tests under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# Window tests run without a display; the build lists their cases by running them too.
export QT_QPA_PLATFORM=offscreen
preset=dev
[ "${CI:-}" = "true" ] && preset=ci
case "${1:-}" in
    "") ;;
    asan) preset=asan ;;
    *)
        echo "usage: scripts/test.sh [asan]" >&2
        exit 2
        ;;
esac
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"
