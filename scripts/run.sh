#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running need, builds Lintrel (the program alone, without the
# tests, into build-run/) and starts it on the given note file (a path relative to the folder
# this is run from, or a full one), or on the sample notes when none is given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
(cd "$root" && cmake --preset run >/dev/null)
cmake --build "$root/build-run" --target lintrel
if [ "$#" -eq 0 ]; then
    set -- "$root/examples/sample-notes.txt"
fi
exec "$root/build-run/lintrel" "$@"
