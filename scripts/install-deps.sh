#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Lintrel needs. Safe to run again.
#
#   scripts/install-deps.sh          what building and running need
#   scripts/install-deps.sh --test   and what the tests, fuzzing and benchmarks need
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
    libxcb1-dev libicu-dev qt6-wayland fonts-dejavu-core)
if [ "${1:-}" = --test ]; then
    packages+=(
        libgtest-dev libgmock-dev googletest libbenchmark-dev
        xvfb xauth openbox icewm xdotool wmctrl x11-utils x11-apps imagemagick
        desktop-file-utils xdg-utils appstream dpkg-dev lintian file git groff-base
        clang clang-format clang-tidy libclang-rt-14-dev strace sway python3
        # A session bus and the accessibility bus on it, where the note box's screen-reader
        # events are compared with the text box's.
        dbus-daemon at-spi2-core
        # The fonts a desktop has for the scripts the note box is tried on: CJK, Hebrew
        # and Arabic (DejaVu Sans above), emoji; and faces with negative leading.
        fonts-droid-fallback fonts-noto-color-emoji fonts-urw-base35
    )
fi

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
