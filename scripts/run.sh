#!/usr/bin/env bash
# Builds the program and starts it; a first start opens the shipped sample puzzle.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$root/build" "$root/scripts/build.sh"
exec "$root/build/src/ui/gridmoor" "$@"
