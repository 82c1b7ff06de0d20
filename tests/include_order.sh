#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Includes run one way: a folder of src/ includes only from the folders before it in
#   platform, core, settings, desktop, note_box, settings_dialog, main_window, (main.cpp)
# Prints every include that runs the other way and fails on any. It first checks itself on a
# copy of the tree with one such include planted, which it must find.
#
#   tests/include_order.sh SRC-DIR
set -euo pipefail
src=$1
order=(platform core settings desktop note_box settings_dialog main_window)

rank() {
    local i
    for i in "${!order[@]}"; do
        [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo "${#order[@]}"  # main.cpp and anything else sits above them all
}

# Prints the includes of tree $1 that run against the order.
upward() {
    local file folder target
    while IFS= read -r file; do
        folder=$(rank "$(basename "$(dirname "$file")")")
        [ "$(dirname "$file")" = "$1" ] && folder=${#order[@]}
        while IFS= read -r target; do
            if [ "$(rank "$target")" -gt "$folder" ]; then
                echo "$file includes $target/"
            fi
        done < <(sed -n 's|^#include "\([a-z_]*\)/.*"|\1|p' "$file")
    done < <(find "$1" -name '*.h' -o -name '*.cpp')
}

planted=$(mktemp -d)
trap 'rm -rf "$planted"' EXIT
cp -r "$src"/. "$planted"
echo '#include "main_window/form1.h"' >>"$planted/core/note_list.cpp"
if [ -z "$(upward "$planted")" ]; then
    echo "FAILED: the check did not find an include planted against the order"
    exit 1
fi

found=$(upward "$src")
if [ -n "$found" ]; then
    echo "$found"
    echo "FAILED: includes against the order platform, core, settings, desktop, note_box, settings_dialog, main_window"
    exit 1
fi
echo "includes run one way"
