#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a machine that has only what the run command installs, as far as building
# goes: in a mount namespace the headers, sources and CMake files of the packages that only the
# test command installs are hidden. Needs root; elsewhere it says so and fails.
#
#   tests/without_test_packages.sh COMMAND [ARGUMENT...]
set -euo pipefail
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo "hiding packages needs root and a mount namespace" >&2
    exit 2
fi
hidden=$(dpkg -L libgtest-dev libgmock-dev googletest libbenchmark-dev 2>/dev/null |
    grep -E '^/usr/(include|src)/[^/]+$|^/usr/lib/[^/]+/cmake/[^/]+$' | sort -u |
    while read -r d; do
        if [ -d "$d" ] && [ ! -L "$d" ]; then echo "$d"; fi
    done)
if [ -z "$hidden" ]; then
    echo "FAILED: found none of the test packages' folders to hide" >&2
    exit 1
fi
exec unshare -m --propagation private bash -euo pipefail -c '
    for d in $1; do mount -t tmpfs hidden "$d"; done
    if [ -e /usr/include/gtest/gtest.h ]; then
        echo "FAILED: GoogleTest is still to be seen" >&2
        exit 1
    fi
    shift
    "$@"
' bash "$hidden" "$@"
