#!/usr/bin/env bash
# Rebuilds the window-free core and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DGRIDMOOR_CORE_ONLY=ON \
    -DGRIDMOOR_SANITIZE=ON -DGRIDMOOR_WERROR=ON
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
