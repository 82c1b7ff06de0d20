#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's run command with only what it installs: in a mount namespace the headers and
# CMake files of the packages that only the test command installs are hidden, and
# scripts/run.sh, run in a copy of the sources, must build the program and start it
# (`lintrel --version`, which ends before any window).
#
#   tests/run_command_bare.sh SOURCE-DIR
set -euo pipefail
src=$(cd "$1" && pwd)
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo "skipped: hiding packages needs root and a mount namespace"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$src" && git ls-files -z | xargs -0 cp --parents -t "$work")
else
    cp -a "$src/." "$work/"
    rm -rf "$work"/build*
fi

"$src/tests/without_test_packages.sh" "$work/scripts/run.sh" --version >"$work/run.log" 2>&1 || {
    cat "$work/run.log"
    echo "FAILED: the run command did not build and start the program"
    exit 1
}
if ! tail -n 1 "$work/run.log" | grep -qx 'Lintrel [0-9.]*'; then
    cat "$work/run.log"
    echo "FAILED: the program did not answer --version"
    exit 1
fi
echo "the run command builds and starts the program without the test packages: $(tail -n 1 "$work/run.log")"
