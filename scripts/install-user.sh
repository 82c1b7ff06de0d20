#!/usr/bin/env bash
# Builds Lintrel and installs it for the current user: the program folder ~/.local/lintrel
# (where its settings are kept), the command ~/.local/bin/lintrel, and the desktop entry and
# icons under ~/.local/share, so that the desktop's menus and "Open with" offer it.
#
#   scripts/install-user.sh [PREFIX]     PREFIX defaults to ~/.local
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${1:-$HOME/.local}
scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINTREL_TESTS=OFF >/dev/null
cmake --build build-release -j "$(nproc)"
cmake --install build-release --prefix "$prefix"
# Let the desktop know about the new entry and icons, where it has the tools for that.
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$prefix/share/applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null && [ -f "$prefix/share/icons/hicolor/index.theme" ]; then
    gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" || true
fi
echo "Installed: run $prefix/bin/lintrel, or Lintrel from the desktop's menu."
