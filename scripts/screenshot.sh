#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of the main window, showing the first sample note, and of the settings
# window, under Xvfb with openbox: docs/screenshot.png and docs/settings.png. Needs a built
# build/lintrel. QT_SCALE_FACTOR and the like pass through to the program.
#
#   scripts/screenshot.sh [OUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${1:-docs}
mkdir -p "$out"
source tests/e2e/lib.sh
start_desktop

# A portable copy of the program, starting at the first note.
cp build/lintrel "$work/"
printf 'True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n1\r\nnotepad.exe\r\n 0 \r\n' \
    >"$work/GeneralSettings.ini"

shot() { xwd -silent -frame -id "$1" | convert xwd:- "$2"; }
settings_window() { xdotool search --onlyvisible --name '^Settings - Lintrel$' 2>/dev/null | head -n 1; }
settings_shown() { [ -n "$(settings_window)" ]; }

# The note file in a home folder's Notes, so that the path shown is one a reader would have.
notes_dir=${SCREENSHOT_NOTES:-/home/reader/Notes}
made_notes_dir=0
if [ ! -d "$notes_dir" ]; then
    mkdir -p "$notes_dir" && made_notes_dir=1
fi
cp "$root/examples/sample-notes.txt" "$notes_dir/"
"$work/lintrel" "$notes_dir/sample-notes.txt" >/dev/null 2>&1 &
pid=$!
answer_charset
wait_for main_shown
sleep 0.5
shot "$(main_window)" "$out/screenshot.png"
xdotool key --clearmodifiers alt+s
wait_for settings_shown
sleep 0.5
shot "$(settings_window)" "$out/settings.png"
xdotool key --clearmodifiers Escape
close_main "$pid"
rm -f "$notes_dir/sample-notes.txt"
if [ "$made_notes_dir" = 1 ]; then
    rmdir "$notes_dir" 2>/dev/null || true
    rmdir "$(dirname "$notes_dir")" 2>/dev/null || true
fi
echo "$out/screenshot.png $out/settings.png"
