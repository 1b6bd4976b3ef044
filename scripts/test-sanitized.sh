#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitized/ (scripts/configure-sanitized.sh)
# and runs the tests there, widgets included (offscreen). The end-to-end tests
# on a virtual X display (label e2e) and the crash soak (label soak) stay out:
# the first only repeat what the widget tests cover under the sanitizers at
# many times the cost, the second checks files after kills, which no sanitizer
# can see into. The same build holds the fuzz targets (fuzz/run-short.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SANITIZED_BUILD_DIR:-$root/build-sanitized}"
"$root/scripts/configure-sanitized.sh" "$@"
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$root/scripts/with-sentinel-home.sh" ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -LE 'e2e|soak'
