#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Gridmoor need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
PACKAGES=(
    cmake g++ make pkg-config zlib1g-dev
    qt6-base-dev qt6-base-dev-tools libqt6network6 qt6-qpa-plugins
    clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick fonts-dejavu-core
    shared-mime-info xdg-utils desktop-file-utils
)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
