#!/usr/bin/env bash
# Configures and builds the program and its tests into build/ (or $BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRIDMOOR_WERROR=ON -DGRIDMOOR_CORE_ONLY=OFF "$@"
cmake --build "$build" -j"$(nproc)"
