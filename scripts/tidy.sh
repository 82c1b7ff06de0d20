#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the checks of .clang-tidy (and tests/.clang-tidy) over the program's
# sources and tests, through the clang build's compile commands; fails on any finding.
#
#   scripts/tidy.sh [FILE...]   the files named, or every source of src/ and tests/
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan >/dev/null
if [ "$#" -gt 0 ]; then
    exec clang-tidy -p build-asan --quiet "$@"
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
run-clang-tidy -p build-asan -j "$(nproc)" -quiet "$PWD/(src|tests)/" >"$log" 2>&1 || status=$?
# The findings alone, without the count of what the filters kept out.
grep -v '^clang-tidy\|warnings generated\.$' "$log" || true
[ "$status" -eq 0 ] && echo "clang-tidy: no findings in src/ and tests/" || echo "clang-tidy: findings above"
exit "$status"
