#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a bounded time from
# the seed corpus in fuzz/corpus. A crash, a sanitizer report, a leak, or an input that runs
# longer than five seconds fails the run; the input is left in build-fuzz/findings.
#
#   scripts/fuzz.sh                  15 seconds per target
#   FUZZ_SECONDS=300 scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
seconds=${FUZZ_SECONDS:-15}

cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j "$(nproc)"

findings=$PWD/build-fuzz/findings
mkdir -p "$findings"
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in field_reader number_reading note_blocks note_cutting settings_files note_box_keys; do
    corpus=$(mktemp -d)
    cp fuzz/corpus/"$target"/* "$corpus"/
    echo "fuzzing $target for $seconds s"
    if ! (cd "$findings" && "$OLDPWD/build-fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" \
        -timeout=5 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 "$corpus" \
        >"$findings/$target.log" 2>&1); then
        tail -40 "$findings/$target.log"
        echo "fuzzing $target found a fault; see $findings"
        exit 1
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$findings/$target.log" | tr '\n' ' '
    echo
    rm -rf "$corpus"
done
echo "fuzzing found nothing"
