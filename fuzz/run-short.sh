#!/usr/bin/env bash
# Builds the libFuzzer targets in the sanitized build (build-sanitized/, see
# scripts/configure-sanitized.sh; already built when the sanitized tests ran),
# writes their seed corpora and runs each target for a few seconds
# (FUZZ_SECONDS, default 5; FUZZ_TARGETS picks some of them).
# Runs as many targets at once as there are processors.
# Prints one line per target and exits non-zero when any target finds a crash.
# Extra arguments go to every fuzzer (for example -jobs=2 or -max_len=8192).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SANITIZED_BUILD_DIR:-$root/build-sanitized}"
seconds="${FUZZ_SECONDS:-5}"
read -r -a targets <<<"${FUZZ_TARGETS:-xml_reader puz_reader document_reader container ipuz_reader jpz_reader download_body settings}"

# The test command has just built them all (FUZZ_BUILT=1): no second configure.
if [ "${FUZZ_BUILT:-0}" != 1 ]; then "$root/scripts/configure-sanitized.sh"; fi
if ! cmake --build "$build" -j"$(nproc)" --target make_seeds "${targets[@]/#/fuzz_}" \
    >"$build/fuzz-build.log" 2>&1; then
    cat "$build/fuzz-build.log"
    echo "fuzz: build FAILED"
    exit 1
fi
"$build/fuzz/make_seeds" "$root"

# New inputs go into a scratch corpus, so the seed folders stay as written.
results="$build/fuzz-results"
rm -rf "$results"
mkdir -p "$results"
# Runs one target; its verdict goes into $results/$target.verdict.
run_target() {
    local target="$1"
    shift
    local log="$results/$target.log" options=() runs crash
    mkdir -p "$results/corpus-$target"
    if [ -f "$root/fuzz/$target.dict" ]; then options+=(-dict="$root/fuzz/$target.dict"); fi
    if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 \
        -artifact_prefix="$results/$target-" "${options[@]}" "$@" \
        "$results/corpus-$target" "$root/fuzz/corpus-$target" >"$log" 2>&1; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
        echo "fuzz $target: passed, ${runs:-?} runs in ${seconds} s" >"$results/$target.verdict"
    else
        crash="$(ls "$results/$target-"* 2>/dev/null | head -n 1 || true)"
        {
            echo "fuzz $target: FAILED, input ${crash:-(none saved)}, log $log"
            grep -m 3 -E 'ERROR|FUZZ_CHECK|runtime error' "$log" || true
        } >"$results/$target.verdict"
    fi
}

# One target per processor at a time: each runs for a fixed time on one thread.
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
    run_target "$target" "$@" &
done
wait
status=0
for target in "${targets[@]}"; do
    cat "$results/$target.verdict"
    grep -q ': passed,' "$results/$target.verdict" || status=1
done
exit "$status"
