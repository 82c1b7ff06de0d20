#!/usr/bin/env bash
# Installs the Debian packages Lintrel needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth openbox icewm xdotool wmctrl x11-utils x11-apps imagemagick fonts-dejavu-core
    desktop-file-utils appstream clang libclang-rt-14-dev strace
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
