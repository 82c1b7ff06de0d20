#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: settings files the user pinned read-only, and a full disk, on the real program
# under Xvfb with openbox. Each save that cannot be made is reported; no settings file is
# deleted, and none is left short.
set -euo pipefail
binary=$1
notes=$2
source "$(dirname "$0")/lib.sh"
start_desktop

files="FileSettings.ini GeneralSettings.ini WindowSettings.ini FontSettings.ini"

# Runs the program in folder $1 to its main window and closes it, pressing OK on every
# message box shown meanwhile; prints how many there were.
run_counting_messages() {
    "$1/lintrel" "$notes" >/dev/null 2>&1 &
    local pid=$! count=0 id
    answer_charset >/dev/null
    wait_for main_managed
    wmctrl -c Lintrel
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        id=$(small_box || true)
        if [ -n "$id" ]; then
            xdotool windowactivate --sync "$id" key --clearmodifiers Return 2>/dev/null || true
            count=$((count + 1))
            wait_for gone "$id"
        fi
        sleep 0.05
    done
    wait_for not_running "$pid"
    echo "$count"
}
gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1 || ! window_visible "$1"; }
window_visible() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
# How many lines each settings file holds.
lines() {
    case $1 in
        FileSettings.ini | WindowSettings.ini) echo 7 ;;
        GeneralSettings.ini) echo 10 ;;
        FontSettings.ini) echo 9 ;;
    esac
}
same_files() {
    local f
    for f in $files; do cmp -s "$1/$f" "$2/$f" || return 1; done
}

# Read-only: the four files pinned by their user stay as they were.
mkdir -p "$work/before"
make_app "$binary"
check "a first run writes the four files" test "$(run_counting_messages "$app")" = 0
for f in $files; do cp "$app/$f" "$work/before/"; chmod 444 "$app/$f"; done
check "each pinned file is reported" test "$(run_counting_messages "$app")" = 4
check "the pinned files are kept unchanged" same_files "$app" "$work/before"

# Full disk: the program folder on a small file system, filled up after a first run.
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: mounting a small file system needs root"
else
    small=$work/small
    mkdir -p "$small"
    size=$(( $(stat -c %s "$binary") + 1024 * 1024 ))
    if mount -t tmpfs -o size=$size tmpfs "$small" 2>/dev/null; then
        cp "$binary" "$small/lintrel"
        check "a first run on the small disk writes the four files" \
            test "$(run_counting_messages "$small")" = 0
        dd if=/dev/zero of="$small/filler" bs=4k >/dev/null 2>&1 || true
        # A failed save keeps its file as it was: every file holds its old settings or its
        # complete new ones, and the full disk was reported.
        cp "$small"/*.ini "$work/before/"
        reported=$(run_counting_messages "$small")
        kept=0 short=0
        for f in $files; do
            if [ ! -e "$small/$f" ]; then
                short=1
            elif [ "$(tr -cd '\n' <"$small/$f" | wc -c)" -ne "$(lines "$f")" ]; then
                short=1
            elif cmp -s "$small/$f" "$work/before/$f"; then
                kept=$((kept + 1))
            fi
        done
        check "the full disk is reported" test "$reported" -ge 1
        check "no settings file is lost or left short" test "$short" = 0
        check "each file not saved keeps its old settings" test "$kept" -ge "$reported"
        check "no temporary file is left" \
            test -z "$(ls -A "$small" | grep -v -e '^lintrel$' -e '\.ini$' -e '^filler$')"
        umount "$small"
    else
        echo "skipped: tmpfs cannot be mounted here"
    fi
fi
finish
