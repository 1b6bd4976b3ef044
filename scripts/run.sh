#!/usr/bin/env bash
# Builds the program and starts it on the shipped sample puzzle.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$root/build" "$root/scripts/build.sh"
if [ -x "$root/build/src/shell/gridmoor" ]; then
    exec "$root/build/src/shell/gridmoor" "$@"
fi
echo "Built the core libraries; the game window is not part of this build yet."
