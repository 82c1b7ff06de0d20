#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: Ctrl+F finds a note by its text, F5 reads the note file again, on the real
# program under Xvfb with openbox.
set -euo pipefail
binary=$1
source "$(dirname "$0")/lib.sh"
start_desktop

make_app "$binary"
notes=$work/notes.txt
printf 'alpha\r\nbeta\r\nGamma ray\r\ndelta\r\n' >"$notes"
# Start at the first note.
printf 'True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n1\r\nnotepad.exe\r\n 0 \r\n' \
    >"$app/GeneralSettings.ini"
shown_note() { sed -n 10p "$app/GeneralSettings.ini" | tr -d ' \r'; }
input_gone() { ! small_box_shown; }

# Asks with Ctrl+F for the note holding $1; true when the box asked.
find_text() {
    xdotool windowactivate --sync "$(main_window)" key --clearmodifiers ctrl+f
    wait_for small_box_shown || return 1
    xdotool type --delay 20 "$1"
    xdotool key --clearmodifiers Return
    wait_for input_gone
}

start_app "$notes"
check "Ctrl+F asks for a text" find_text gamma
# Make the file shorter than the note shown, and read it again. The window handles its events in
# the order they came: F5 has read the file before the close that follows it.
printf 'only one\r\n' >"$notes"
xdotool windowactivate --sync "$(main_window)" key --clearmodifiers F5
close_main "$pid"
check "F5 read the shorter file and shows its last note" test "$(shown_note)" = 1

printf 'alpha\r\nbeta\r\nGamma ray\r\ndelta\r\n' >"$notes"
start_app "$notes"
find_text GAMMA
close_main "$pid"
check "Ctrl+F showed the note that holds the text, whatever its case" test "$(shown_note)" = 3
finish
