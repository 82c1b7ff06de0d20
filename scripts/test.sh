#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lintrel and runs every test: the normal build with g++, then
# the same suite built with clang under AddressSanitizer and UndefinedBehaviorSanitizer, then
# clang-tidy over the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

# The sources as .clang-format lays them out.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# The README's run command on its own packages: it must not need what only the tests need.
tests/run_command_bare.sh .

jobs=$(nproc)
cmake --preset test >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package: built, checked by lintian, installed, started, removed.
tests/package_deb.sh .

if [ "${LINTREL_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake --preset asan >/dev/null
    cmake --build build-asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi

# The checks of .clang-tidy, through the clang build's compile commands.
scripts/tidy.sh

# Every fuzz target for a bounded time (about a minute in all) from the seed corpus.
if [ "${LINTREL_SKIP_FUZZ:-0}" != 1 ]; then
    scripts/fuzz.sh
fi
