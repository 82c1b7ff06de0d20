#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Black-box timing of the real program under Xvfb with openbox, as a user sees it: from the
# answer to the charset question to the main window on the screen, with "Last line of the
# file" as the start-up choice; and from a resize to the next answered key (Alt+G's box);
# and the program's peak memory. Each note file is also timed with `wc -l` and with a plain
# read() of it into one buffer (bench/plain_read). Prints a Markdown table.
#
#   bench/blackbox.sh [BUILD-DIR]      BUILD-DIR holds lintrel and bench/generate_notes
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
source "$root/tests/e2e/lib.sh"
start_desktop
make_app "$build/lintrel"
# Start at the last note of a file of one note, at the first of a file of millions (the last
# of those cannot be shown: its number is beyond 16 bits).
printf 'False\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n1\r\nnotepad.exe\r\n 0 \r\n' \
    >"$app/last.keep"
printf 'True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n1\r\nnotepad.exe\r\n 0 \r\n' \
    >"$app/first.keep"
now_ms() { echo $(($(date +%s%N) / 1000000)); }
poll() { for _ in $(seq 60000); do "$@" && return 0; sleep 0.01; done; return 1; }
main_up() { main_window >/dev/null; }

# One run on FILE (SETTING is the separator setting, or empty; START is last or first):
# prints "shown_ms answered_ms peak_MB".
measure() {
    local file=$1 setting=$2 start_at=$3 pid start shown answered
    rm -f "$app"/*.ini
    cp "$app/$start_at.keep" "$app/GeneralSettings.ini"
    printf 'True\r\nFalse\r\nFalse\r\nFalse\r\n\r\n%s\r\n\r\n' "$setting" >"$app/FileSettings.ini"
    "$app/lintrel" "$file" >/dev/null 2>&1 &
    pid=$!
    wait_for window_shown Lintrel
    sleep 0.3
    start=$(now_ms)
    xdotool key --clearmodifiers Return
    poll main_up
    shown=$(($(now_ms) - start))
    local id
    id=$(main_window)
    start=$(now_ms)
    xdotool windowsize "$id" 900 500
    xdotool windowactivate --sync "$id" key --clearmodifiers alt+g
    poll small_box_shown
    answered=$(($(now_ms) - start))
    xdotool key --clearmodifiers Escape
    local peak
    peak=$(awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$pid/status")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$shown $answered $peak"
}
elapsed_ms() {
    local start
    start=$(now_ms)
    "$@" >/dev/null
    echo $(($(now_ms) - start))
}

files=$work/files
mkdir -p "$files"
gen=$build/bench/generate_notes
echo "| Note file | On screen after (ms) | Resize, then Alt+G answered after (ms) | Peak memory (MB) | wc -l (ms) | read() (ms) |"
echo "|---|---:|---:|---:|---:|---:|"
row() {
    local label=$1 file=$2 setting=${3:-} start_at=${4:-last}
    cat "$file" >/dev/null
    read -r shown answered peak <<<"$(measure "$file" "$setting" "$start_at")"
    echo "| $label | $shown | $answered | $peak | $(elapsed_ms wc -l "$file") |" \
        "$(elapsed_ms "$build/bench/plain_read" "$file") |"
}
"$gen" lines 10M "$files/lines-10M.txt"
tr -d '\r\n' <"$files/lines-10M.txt" >"$files/one-line.txt"
row "10 MB of words, one line" "$files/one-line.txt"
"$gen" single 10M "$files/single.txt"
row "10 MB in short lines, one note" "$files/single.txt"
head -c 5M /dev/zero | tr '\0' x >"$files/word.txt"
row "one 5 MB word" "$files/word.txt"
# Right-to-left and left-to-right embeddings, overrides and their ends, over and over.
for _ in $(seq 93334); do printf '\u202e\u202b\u202a\u202d\u202c'; done >"$files/bidi.txt"
row "1.4 MB of bidirectional control characters" "$files/bidi.txt"
"$gen" lines 1G "$files/lines.txt"
tr -d '\r' <"$files/lines.txt" >"$files/unix.txt"
rm -f "$files/lines.txt"
row "1 GB with Unix line ends (one note)" "$files/unix.txt"
rm -f "$files/unix.txt"
"$gen" lines 1G "$files/lines.txt"
row "1 GB of short notes, a note per line" "$files/lines.txt" "" first
rm -f "$files/lines.txt"
"$gen" sepfile 1G "$files/sepfile.txt"
row "1 GB of short notes, separator file" "$files/sepfile.txt" "" first
rm -f "$files/sepfile.txt" "$files/sepfile.ltrsep"
"$gen" setting 1G "$files/setting.txt"
row "1 GB of short notes, separator setting ##" "$files/setting.txt" "##" first
rm -f "$files/setting.txt"
