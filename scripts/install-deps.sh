#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Gridmoor
# need, then checks that every external command the program, its tests and its
# scripts call is really there.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

# Libraries, compilers and fonts: what the build links against or runs. The
# colour emoji font lets clues of UTF-8 puzzles show their emoji, not boxes.
# The screen-reader test reads the program through the AT-SPI library's
# Python bindings (python3-gi for Debian's own /usr/bin/python3). The
# sanitizers name file and line in their reports through llvm-symbolizer
# (below).
BUILD_PACKAGES=(
    cmake g++ make pkg-config zlib1g-dev libsimdjson-dev libpugixml-dev libzip-dev
    qt6-base-dev qt6-base-dev-tools libqt6network6 libqt6printsupport6 qt6-qpa-plugins libfontconfig-dev
    libclang-rt-14-dev fonts-dejavu-core fonts-noto-color-emoji
    gir1.2-atspi-2.0 python3-gi
)

# Every external command, "command package", as the program, the tests and the
# scripts call it. xdg-mime asks mimetype outside a desktop session (xdg-utils
# only recommends its package, and recommendations are not installed here).
# Optional, and so not listed: ccache (the build uses it when it is there) and
# bluetooth-sendto from gnome-bluetooth-sendto (without it, Beam says that no
# program to send with is installed).
COMMANDS=(
    "cmake cmake"
    "ctest cmake"
    "g++ g++"
    "qmake6 qmake6"
    "clang clang"
    "clang++ clang"
    "xvfb-run xvfb"
    "xauth xauth"
    "xdotool xdotool"
    "import imagemagick"
    "xdg-mime xdg-utils"
    "xdg-email xdg-utils"
    "mimetype libfile-mimeinfo-perl"
    "update-mime-database shared-mime-info"
    "update-desktop-database desktop-file-utils"
    "desktop-file-validate desktop-file-utils"
    "gio libglib2.0-bin"
    "appstreamcli appstream"
    "nm binutils"
    "strip binutils"
    "rsvg-convert librsvg2-bin"
    "dbus-run-session dbus-daemon"
    "/usr/bin/python3 python3"
    "llvm-symbolizer-14 llvm-14"
    "/usr/libexec/at-spi-bus-launcher at-spi2-core"
    "pdftotext poppler-utils"
    "pdftoppm poppler-utils"
    "pdfinfo poppler-utils"
)

# Only the benchmarks need these; "install-deps.sh --bench" adds them. Neither
# the build nor the tests need them. bench/core/compare_ipuz.sh runs an npm
# package for its comparison; bench/startup/run_startup_bench.sh runs the
# programs under a window manager and builds a watcher on the xcb libraries.
if [ "${1:-}" = "--bench" ]; then
    COMMANDS+=("node nodejs" "npm npm" "openbox openbox" "xprop x11-utils")
    BUILD_PACKAGES+=(libxcb1-dev libxcb-damage0-dev)
fi

packages=("${BUILD_PACKAGES[@]}")
for entry in "${COMMANDS[@]}"; do
    packages+=("${entry#* }")
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

absent=0
for entry in "${COMMANDS[@]}"; do
    command="${entry%% *}"
    if ! command -v "$command" >/dev/null; then
        echo "install-deps: $command is still missing after installing the package ${entry#* }" >&2
        absent=1
    fi
done
exit "$absent"
