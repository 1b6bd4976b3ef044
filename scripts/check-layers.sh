#!/usr/bin/env bash
# Fails when a source file reaches above its layer. Includes only go downward:
# src/ui may include data and core, src/data only core, src/core neither, and
# the install hook (src/setup) nothing of the program. The window-free layers
# must not include a header of Qt Gui, Widgets or Network, and the hook no Qt
# and no zlib header at all (it loads zlib at run time).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

qt_include="$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)"
[ -d "$qt_include" ] || qt_include=/usr/include/x86_64-linux-gnu/qt6
if [ ! -d "$qt_include/QtCore" ]; then
    echo "check-layers: Qt headers not found under $qt_include (package qt6-base-dev)" >&2
    exit 1
fi

# Header names of the Qt modules that a layer must not use, one per line.
window_headers="$(mktemp)"
trap 'rm -f "$window_headers"' EXIT
for module in QtGui QtWidgets QtNetwork; do
    [ -d "$qt_include/$module" ] || continue
    ls "$qt_include/$module"
    echo "$module"
done | sort -u >"$window_headers"

failures=0
report() {
    echo "check-layers: $1" >&2
    failures=$((failures + 1))
}

# Checks every source below $1 against the program folders it may not include
# ($2, a regular expression over the include path) and, when $3 is "windowless",
# against the window-system Qt headers.
check_folder() {
    local folder="$1" forbidden="$2" mode="$3" file line header
    [ -d "$folder" ] || return 0
    while IFS= read -r file; do
        while IFS= read -r line; do
            header="${line#*#include }"
            if [[ "$header" =~ ^\"($forbidden)/ ]]; then
                report "$file includes $header from a higher layer"
            fi
            if [ "$mode" = windowless ] && [[ "$header" =~ ^\<([A-Za-z_/]+)(\.h)?\>$ ]]; then
                local name="${BASH_REMATCH[1]}"
                name="${name#*/}"
                if grep -qxF "$name" "$window_headers"; then
                    report "$file includes $header, a window-system header"
                fi
            fi
            if [ "$mode" = plain ] && [[ "$header" =~ ^\<(Q|zlib) ]]; then
                report "$file includes $header; the install hook uses neither Qt nor zlib headers"
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" | sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*/#include /')
    done < <(find "$folder" -name '*.h' -o -name '*.cpp')
}

check_folder src/core 'data|ui|setup' windowless
check_folder src/data 'ui|setup' windowless
check_folder src/ui 'setup' any
check_folder src/setup 'core|data|ui' plain

if [ "$failures" -gt 0 ]; then
    echo "check-layers: $failures include(s) against the layer rules" >&2
    exit 1
fi
echo "check-layers: every include goes downward"
