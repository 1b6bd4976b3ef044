#!/usr/bin/env bash
# Makes docs/screenshot.png from the real program: starts the built game on a
# virtual X display (xvfb-run) with a fresh home folder, so that it opens the
# shipped sample as on a first start, types the first answer and captures the
# window. Usage: scripts/screenshot.sh [program] [output.png]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/src/ui/gridmoor}"
output="${2:-$root/docs/screenshot.png}"
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
[ -x "$program" ] || { echo "no program at $program: run scripts/build.sh first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# An installation of its own, so the first start moves this copy of the sample.
mkdir -p "$work/app" "$work/home/run" "$(dirname "$output")"
chmod 700 "$work/home/run"
cp "$program" "$work/app/gridmoor"
cp "$root"/resources/*.gmd "$work/app/"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/home/run" QT_QPA_PLATFORM=xcb
export GRIDMOOR_APP="$work/app/gridmoor" GRIDMOOR_SHOT="$output"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    "$GRIDMOOR_APP" & pid=$!
    window="$(xdotool search --sync --onlyvisible --name "^Gridmoor( - .*)?\$" | head -n 1)"
    sleep 1
    xdotool windowfocus --sync "$window"
    xdotool type --delay 120 "reads"
    sleep 1
    import -window "$window" "$GRIDMOOR_SHOT"
    kill -TERM "$pid"
    wait "$pid"
'
echo "Wrote $output"
