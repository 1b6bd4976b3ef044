#!/usr/bin/env bash
# Configures build-sanitized/ (or $SANITIZED_BUILD_DIR): the whole program,
# its tests and the fuzz targets, compiled by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer. One build serves the sanitized test run and the
# fuzzers: the core and data libraries also carry libFuzzer's coverage
# instrumentation, which the test programs simply ignore.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SANITIZED_BUILD_DIR:-$root/build-sanitized}"
if ! command -v clang++ >/dev/null 2>&1; then
    echo "configure-sanitized: clang++ is missing (package clang); run scripts/install-deps.sh" >&2
    exit 1
fi
# Optimised a little and with line tables only: the tests run several times
# faster than at -O0 and the sanitizers' reports still name file and line.
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -gline-tables-only" \
    -DGRIDMOOR_SANITIZE=ON -DGRIDMOOR_FUZZ=ON -DGRIDMOOR_WERROR=ON \
    -DGRIDMOOR_BENCH=OFF -DGRIDMOOR_PROGRAM_TESTS=OFF "$@" >/dev/null
