#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# No source file of the project runs over 400 lines: a longer one holds more than one job.
# Prints every such file with its length and fails on any.
#
#   tests/file_length.sh ROOT
set -euo pipefail
root=$1
limit=400
long=""
while IFS= read -r -d '' file; do
    lines=$(wc -l <"$file")
    [ "$lines" -gt "$limit" ] && long+="$file: $lines lines"$'\n'
done < <(find "$root/src" "$root/tests" "$root/bench" "$root/fuzz" \
    \( -name '*.cpp' -o -name '*.h' \) -print0)
if [ -n "$long" ]; then
    printf '%s' "$long"
    echo "files over $limit lines: split them by job"
    exit 1
fi
echo "every source file within $limit lines"
