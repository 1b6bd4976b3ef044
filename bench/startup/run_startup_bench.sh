#!/usr/bin/env bash
# Start-up benchmark: Gridmoor against a bare Qt Widgets program with one
# QMainWindow, side by side in one run under Xvfb with a desktop window
# manager that keeps the windows at the size they ask for.
#
#   bench/startup/run_startup_bench.sh [STARTS]      (default 7 starts each)
#
# The ratios are against the bare program as it is; for comparison it also
# reports the bare program drawing one line of text ("bare+text"), the least
# any program that shows text pays for fonts.
#
# It builds the program, the bare program and the watcher in build/ (or
# $BUILD_DIR), installs Gridmoor into a temporary prefix (stripped, as a user
# gets it) and runs everything with a private home, runtime and temporary
# folder (GRIDMOOR_INSTALLATION=FOLDER measures the program in FOLDER, with
# its shipped documents beside it, instead). It measures, from the exec on:
#   mapped   the window mapped on the screen,
#   painted  the program's first drawing into its window (what the user sees),
#   rss      resident memory one second after the exec.
# First come the first starts (a fresh home each time: the sample moves into
# the puzzle folder, file types are registered), reported on their own; then
# one uncounted start of each program, then STARTS starts of each,
# alternating. It prints the medians, the ratios Gridmoor / bare, and which of
# the libraries only downloading and printing need the program has loaded.
# Needs "scripts/install-deps.sh --bench" (Xvfb, the openbox window manager,
# xprop, the xcb development files).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build}"
starts="${1:-7}"
first_starts="${FIRST_STARTS:-3}"
rss_after_ms=1000

if [ "${GRIDMOOR_BENCH_INSIDE:-}" != 1 ]; then
    cmake --build "$build" -j2 --target gridmoor bench_bare_window startup_watch >/dev/null
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/prefix/lib"
    if [ -n "${GRIDMOOR_INSTALLATION:-}" ]; then
        # Another build's program, to compare with: a folder holding the
        # program and its shipped documents, copied as it is.
        cp -r "$GRIDMOOR_INSTALLATION" "$work/prefix/lib/gridmoor"
    else
        cmake --install "$build" --prefix "$work/prefix" >/dev/null
    fi
    export GRIDMOOR_BENCH_INSIDE=1 GRIDMOOR_BENCH_WORK="$work"
    echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
    echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
    exit 0
fi

work="$GRIDMOOR_BENCH_WORK"
installation="$work/prefix/lib/gridmoor"
gridmoor="$installation/gridmoor"
bare="$build/bench/startup/bench_bare_window"
watch="$build/bench/startup/startup_watch"
# A desktop session's runtime folder is in memory (tmpfs), like /dev/shm.
runtime="$(mktemp -d -p /dev/shm gridmoor-bench.XXXXXX 2>/dev/null || mktemp -d -p "$work")"
mkdir -p "$work/shipped" "$work/tmp"
chmod 700 "$runtime"
cp "$installation"/*.gmd "$work/shipped/"

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

export HOME="$work/home" XDG_RUNTIME_DIR="$runtime" TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
unset XDG_DATA_DIRS XDG_CONFIG_DIRS SESSION_MANAGER

fresh_home() {
    rm -rf "$HOME"
    mkdir -p "$HOME"
    cp "$work/shipped"/*.gmd "$installation/"
}

# One start: "mapped painted rss_kb" appended to the file $1.
measure() {
    local file="$1"
    shift
    local line
    line="$("$watch" "$rss_after_ms" "$@")"
    sed -E 's/mapped_ms=([^ ]+) painted_ms=([^ ]+) rss_kb=([^ ]+)/\1 \2 \3/' <<<"$line" >>"$file"
}

median() { # column $2 of file $1
    sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

report() { # name file
    printf '%-10s mapped %7.1f ms  painted %7.1f ms  rss %6.1f MB  (%d starts)\n' "$1" \
        "$(median "$2" 1)" "$(median "$2" 2)" "$(awk "BEGIN { print $(median "$2" 3) / 1024 }")" \
        "$(wc -l <"$2")"
}

ratio() { # column label [yardstick file]
    awk -v a="$(median "$work/gridmoor" "$1")" -v b="$(median "${3:-$work/bare}" "$1")" -v l="$2" \
        'BEGIN { printf "ratio %-8s %.2fx\n", l, a / b }'
}

: >"$work/first"
for _ in $(seq "$first_starts"); do
    fresh_home
    measure "$work/first" "$gridmoor"
done
: >"$work/gridmoor"
: >"$work/bare"
: >"$work/text"
measure /dev/null "$bare"
measure /dev/null "$bare" --text
measure /dev/null "$gridmoor"
for _ in $(seq "$starts"); do
    measure "$work/bare" "$bare"
    measure "$work/text" "$bare" --text
    measure "$work/gridmoor" "$gridmoor"
done

# Which of the libraries that only downloading and printing need the program
# has loaded one second after a start.
STARTUP_WATCH_MAPS="$work/maps" measure /dev/null "$gridmoor"
late="$({ grep -oE 'lib(Qt6Network|Qt6PrintSupport|cups|gssapi_krb5|proxy)\.so[.0-9]*' "$work/maps" || true; } | sort -u | tr '\n' ' ')"

report "first" "$work/first"
report "gridmoor" "$work/gridmoor"
report "bare" "$work/bare"
report "bare+text" "$work/text"
ratio 1 mapped
ratio 2 painted
ratio 3 rss
echo "against bare+text:"
ratio 2 painted "$work/text"
ratio 3 rss "$work/text"
echo "loaded at 1 s: ${late:-none of Qt Network, Qt PrintSupport, cups, gssapi, libproxy}"
