#!/usr/bin/env bash
# Opens and closes the two benchmark ipuz files and the plain jpz file with
# Gridmoor (bench_ipuz, bench_jpz) and parses the same files with
# @xwordly/xword-parser 1.0.5 in node (each file read and parsed, and parsed
# from memory), in one run.
# The package is installed into build/npm-bench on the first run (npm needs
# the registry then); nothing of it is kept in git.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build}"
modules="$build/npm-bench"
files="$build/bench-ipuz-files"
cmake --build "$build" --target bench_ipuz bench_jpz >/dev/null
if [ ! -d "$modules/node_modules/@xwordly/xword-parser" ]; then
    mkdir -p "$modules"
    (cd "$modules" && npm install --no-audit --no-fund --no-save @xwordly/xword-parser@1.0.5 >/dev/null)
fi
"$build/bench/core/bench_ipuz" "$files"
"$build/bench/core/bench_jpz" "$files"
node "$root/bench/core/xword_parser_bench.mjs" "$modules" "$files/plain15.ipuz" "$files/styled21.ipuz" \
    "$files/plain15.jpz"
