#!/usr/bin/env bash
# Installs what is missing, builds Lintrel and starts it on the given note file, or on the
# sample notes when none is given.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lintrel
if [ "$#" -eq 0 ]; then
    set -- "$PWD/examples/sample-notes.txt"
fi
exec build/lintrel "$@"
