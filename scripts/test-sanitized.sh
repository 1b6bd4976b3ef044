#!/usr/bin/env bash
# Rebuilds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs the tests there, widgets
# included (offscreen). The end-to-end tests on a virtual X display (label
# e2e) and the crash soak (label soak) stay out: the first only repeat what the
# widget tests cover under the sanitizers at many times the cost, the second
# checks files after kills, which no sanitizer can see into.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DGRIDMOOR_SANITIZE=ON -DGRIDMOOR_WERROR=ON \
    -DGRIDMOOR_CORE_ONLY=OFF "$@"
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -LE 'e2e|soak'
