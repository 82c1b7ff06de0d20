#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lintrel and runs every test: the normal build with g++, then
# the same suite built with clang under AddressSanitizer and UndefinedBehaviorSanitizer, then
# clang-tidy over the sources. Says how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

timings=()
# Runs stage $1, the command $2..., and notes its time.
stage() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    timings+=("$(printf '%-28s %5d s' "$name" $((SECONDS - start)))")
}
report() {
    echo "== time per stage"
    printf '%s\n' "${timings[@]}"
}
trap report EXIT

stage "packages" scripts/install-deps.sh --test
# The test command's programs all come from the packages it installs.
stage "packages named" tests/test_command_packages.sh .

# The sources as .clang-format lays them out (those git tracks, or in a copy without git, all).
sources() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z '*.cpp' '*.h'
    else
        find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0
    fi
}
stage "format" bash -c "$(declare -f sources); sources | xargs -0 clang-format --dry-run --Werror"

# The README's run command on its own packages: it must not need what only the tests need.
stage "run command alone" tests/run_command_bare.sh .

jobs=$(nproc)
stage "build" sh -c "cmake --preset test >/dev/null && cmake --build build -j $jobs"
stage "tests" ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package: built, checked by lintian, installed, started, removed.
stage "package" tests/package_deb.sh .

if [ "${LINTREL_SKIP_SANITIZERS:-0}" != 1 ]; then
    stage "sanitizer build" sh -c "cmake --preset asan >/dev/null && cmake --build build-asan -j $jobs"
    stage "sanitizer tests" env ASAN_OPTIONS=detect_leaks=1 \
        LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp" \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-asan --output-on-failure -j "$jobs"
else
    echo "skipped: the sanitizer build (LINTREL_SKIP_SANITIZERS=1)"
fi

# The checks of .clang-tidy, through the clang build's compile commands.
stage "clang-tidy" scripts/tidy.sh

# Every fuzz target for a bounded time (about a minute in all) from the seed corpus.
if [ "${LINTREL_SKIP_FUZZ:-0}" != 1 ]; then
    stage "fuzz" scripts/fuzz.sh
else
    echo "skipped: fuzzing (LINTREL_SKIP_FUZZ=1)"
fi
