#!/usr/bin/env bash
# Builds everything and runs every test:
#   the layer check of the includes;
#   the normal build (build/) and all its tests under ctest;
#   the sanitized build (build-sanitized/: clang with AddressSanitizer and
#   UndefinedBehaviorSanitizer) and its tests, widgets included;
#   a short run of each fuzz target, built in the same sanitized build.
# Every ctest run starts from a home folder full of sentinel files and fails
# when a test touched one of them (scripts/with-sentinel-home.sh).
#
#   scripts/test.sh --quick   the layer check, the normal build and its tests
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
quick=0
if [ "${1:-}" = "--quick" ]; then quick=1; shift; fi
export QT_QPA_PLATFORM=offscreen

# Runs one step and says how long it took, on the clock and on the processors.
step() {
    local TIMEFORMAT="test.sh: $1 took %0R s (processor time %0U s user, %0S s system)"
    shift
    time "$@"
}

# The layer check reads the sources while the normal build compiles them; a
# failure of either fails the command.
step "layer check" "$root/scripts/check-layers.sh" &
layers=$!
step "normal build" env BUILD_DIR="$root/build" "$root/scripts/build.sh"
wait "$layers"
step "tests" "$root/scripts/with-sentinel-home.sh" \
    ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"
if [ "$quick" = 1 ]; then exit 0; fi
step "sanitized build and tests" "$root/scripts/test-sanitized.sh"
step "fuzz runs" env FUZZ_BUILT=1 "$root/fuzz/run-short.sh"
