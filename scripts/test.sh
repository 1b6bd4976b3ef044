#!/usr/bin/env bash
# Builds everything and runs every test: the layer check of the includes, the
# normal build under ctest, then the
# window-free core again with AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzz target.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export QT_QPA_PLATFORM=offscreen

"$root/scripts/check-layers.sh"
BUILD_DIR="$root/build" "$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"

if [ -f "$root/scripts/test-sanitized.sh" ]; then
    "$root/scripts/test-sanitized.sh"
fi
if [ -f "$root/fuzz/run-short.sh" ]; then
    "$root/fuzz/run-short.sh"
fi
