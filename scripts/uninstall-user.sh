#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what scripts/install-user.sh put into PREFIX, as it listed it, and keeps the four
# settings files in PREFIX/lintrel unless --purge is given. It removes only what lies inside
# the real PREFIX: never a path that leads out of it (through ".." or a linked folder).
#
#   scripts/uninstall-user.sh [--purge] [PREFIX]     PREFIX defaults to ~/.local
set -euo pipefail
export LC_ALL=C  # byte order: a folder sorts before what it holds
purge=0
if [ "${1:-}" = --purge ]; then
    purge=1
    shift
fi
prefix=$(realpath -m -- "${1:-$HOME/.local}")
case $prefix in
    *$'\n'*)
        echo "A PREFIX holding a line break is not one Lintrel can be installed in." >&2
        exit 1
        ;;
esac
manifest=$prefix/lintrel/installed-files
# Prints $1 with "." and ".." taken as written when it then lies inside PREFIX and the folder
# holding it is that same folder on the disk (no link on the way); fails otherwise.
inside_prefix() {
    local plain folder
    plain=$(realpath -m -s -- "$1")
    case $plain in
        "$prefix" | "$prefix"/*) ;;
        *) return 1 ;;
    esac
    folder=$(dirname -- "$plain")
    [ "$(realpath -e -- "$folder" 2>/dev/null)" = "$folder" ] || return 1
    printf '%s\n' "$plain"
}
settings=()
for f in FileSettings.ini GeneralSettings.ini WindowSettings.ini FontSettings.ini; do
    if path=$(inside_prefix "$prefix/lintrel/$f") && [ -f "$path" ]; then
        settings+=("$path")
    fi
done
if [ ! -f "$manifest" ] && { [ "$purge" -eq 0 ] || [ "${#settings[@]}" -eq 0 ]; }; then
    echo "Lintrel is not installed in $prefix (no $manifest)." >&2
    exit 1
fi
# --purge after a plain uninstall still takes the settings files it left.
if [ "$purge" -eq 1 ]; then
    rm -f -- "${settings[@]}"
fi
# Deepest first: files and links, then the folders the install made, when empty.
listing=""
if [ -f "$manifest" ]; then
    listing=$(sort -r "$manifest")
    printf '%s\n' "$listing" | while IFS= read -r listed; do
        path=$(inside_prefix "$listed") || continue
        if [ -L "$path" ] || [ -f "$path" ]; then
            rm -f -- "$path"
        elif [ -d "$path" ]; then
            rmdir -- "$path" 2>/dev/null || true
        fi
    done
fi
# Kept settings keep the folders the install made around them: their list stays beside them,
# so that a later --purge removes those folders too (an empty ~/.local it made, say).
if [ "$purge" -eq 0 ] && [ -n "$listing" ] && [ -d "$prefix/lintrel" ]; then
    {
        printf '%s\n' "$listing" | while IFS= read -r listed; do
            if path=$(inside_prefix "$listed") && [ -d "$path" ] && [ ! -L "$path" ]; then
                printf '%s\n' "$path"
            fi
        done
        echo "$manifest"
    } >"$manifest"
fi
if [ "$purge" -eq 1 ] && path=$(inside_prefix "$prefix/lintrel"); then
    rmdir -- "$path" 2>/dev/null || true
fi
if command -v update-desktop-database >/dev/null && [ -f "$prefix/share/applications/mimeinfo.cache" ]; then
    update-desktop-database -q "$prefix/share/applications" || true
fi
echo "Removed Lintrel from $prefix$([ "$purge" -eq 1 ] || echo "; its settings stay in $prefix/lintrel")."
