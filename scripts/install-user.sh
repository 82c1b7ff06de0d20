#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Lintrel and installs it for the current user: the program folder ~/.local/lintrel
# (where its settings are kept), the command ~/.local/bin/lintrel, and the desktop entry and
# icons under ~/.local/share, so that the desktop's menus and "Open with" offer it. What it
# puts there is listed in PREFIX/lintrel/installed-files (cmake's own install manifest, and
# the folders the install made), which scripts/uninstall-user.sh reads.
#
#   scripts/install-user.sh [PREFIX]     PREFIX defaults to ~/.local
#   LINTREL_BUILD_DIR=DIR scripts/install-user.sh    installs the build in DIR instead
#
# It builds in build-run/, the folder scripts/run.sh builds in, so after the run command it
# only installs what that built.
set -euo pipefail
export LC_ALL=C  # byte order: a folder sorts before what it holds
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m -- "${1:-$HOME/.local}")
case $prefix in
    *$'\n'*)
        echo "A PREFIX holding a line break cannot be installed to: choose another folder." >&2
        exit 1
        ;;
esac
build=${LINTREL_BUILD_DIR:-}
if [ -z "$build" ]; then
    "$root/scripts/install-deps.sh"
    build=$root/build-run
    (cd "$root" && cmake --preset run >/dev/null)
    cmake --build "$build" --target lintrel
fi
before=$(mktemp)
trap 'rm -f "$before"' EXIT
find "$prefix" -type d 2>/dev/null | sort >"$before" || true
# The caches the desktop tools below write, unless they were there already.
caches=()
for cache in "$prefix/share/icons/hicolor/icon-theme.cache"; do
    [ -e "$cache" ] || caches+=("$cache")
done
rm -f "$build/install_manifest.txt"
cmake --install "$build" --prefix "$prefix" --strip
# Let the desktop know about the new icons, where it has the tool for that. The desktop
# entry is found by the desktop itself: no MIME cache is written, since the first program a
# cache lists for plain text becomes the default where no default was chosen, and installing
# Lintrel changes no file type's default.
if command -v gtk-update-icon-cache >/dev/null && [ -f "$prefix/share/icons/hicolor/index.theme" ]; then
    gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" || true
fi
manifest=$prefix/lintrel/installed-files
# What cmake installed, the folders that did not exist before, and the list itself.
{
    cat "$build/install_manifest.txt"
    echo
    find "$prefix" -type d | sort | comm -13 "$before" -
    for cache in "${caches[@]}"; do
        if [ -e "$cache" ]; then echo "$cache"; fi
    done
    echo "$manifest"
} | sed '/^$/d' | sort -u >"$manifest"
echo "Installed: run $prefix/bin/lintrel, or Lintrel from the desktop's menu."
