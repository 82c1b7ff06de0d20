#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the real program under Xvfb with openbox, driven as a user drives it: the rows
# of the start-up file choice, the end at once, the four files written on closing, a
# malformed settings file, and a note file that vanishes while the program runs.
set -euo pipefail
binary=$1
examples=$2
source "$(dirname "$0")/lib.sh"
start_desktop

notes=$work/notes
mkdir -p "$notes"
make_app "$binary"
cp "$examples/sample-notes.txt" "$notes/sample.txt"
printf 'alpha\r\nbeta\r\ngamma\r\n' >"$notes/Default.txt"
fresh() { rm -f "$app"/*.ini "$app/Default.txt"; }
field() { sed -n "$2p" "$app/$1" | tr -d '\r'; }

# Starts the program with the given arguments, under strace when $trace is set; sets $pid.
start() {
    if [ -n "${trace:-}" ]; then
        strace -f -qq -e trace=rename,renameat,renameat2,linkat -o "$trace" "$app/lintrel" "$@" \
            >/dev/null 2>&1 &
    else
        "$app/lintrel" "$@" >/dev/null 2>&1 &
    fi
    pid=$!
}
# One run to the main window and its close, with the charset question answered.
run() {
    start "$@"
    answer_charset
    close_main "$pid"
}

# Start-up file choice.
fresh
run "$notes/sample.txt"
check "a file on the command line is loaded" test "$(field FileSettings.ini 7)" = "$notes/sample.txt"

fresh
start
answer_charset
check "no file, no Default.txt, no settings: ends at once" wait_for not_running "$pid"
check "ending at once writes no file" sh -c "! ls '$app'/*.ini 2>/dev/null"

fresh
cp "$notes/Default.txt" "$app/Default.txt"
run
check "Default.txt beside the program is loaded" test "$(field FileSettings.ini 7)" = "$app/Default.txt"

fresh
printf 'False\r\nTrue\r\nFalse\r\nFalse\r\n\r\n\r\n%s\r\n' "$notes/sample.txt" >"$app/FileSettings.ini"
run
check "the file loaded last time" test "$(field FileSettings.ini 7)" = "$notes/sample.txt"

fresh
printf 'False\r\nFalse\r\nFalse\r\nTrue\r\n%s\r\n\r\n\r\n' "$notes/Default.txt" >"$app/FileSettings.ini"
run
check "the specified file" test "$(field FileSettings.ini 7)" = "$notes/Default.txt"

fresh
printf 'False\r\nFalse\r\nTrue\r\nFalse\r\n\r\n\r\n%s\r\n' "$notes/sample.txt" >"$app/FileSettings.ini"
run
check "load nothing opens the window without a file" test -f "$app/GeneralSettings.ini"

# Closing writes the four files, in order, with what the window showed: Next from the start
# shows note 1.
fresh
trace=$work/renames.log
start "$notes/Default.txt"
answer_charset
wait_for main_shown
xdotool windowactivate --sync "$(main_window)" key --clearmodifiers alt+n
close_main "$pid"
trace=
order=$(grep -o '[A-Za-z]*Settings\.ini"' "$work/renames.log" | tr -d '"' | uniq | tr '\n' ' ')
check "four files written in order ($order)" \
    test "$order" = "FileSettings.ini GeneralSettings.ini WindowSettings.ini FontSettings.ini "
check "the shown note's number is kept" test "$(field GeneralSettings.ini 10 | tr -d ' ')" = 1

# A malformed settings file: its message, then it is gone, and the next start is clean.
printf '"unclosed\r\n' >"$app/WindowSettings.ini"
start "$notes/Default.txt"
answer_charset
check "the message for the malformed file" wait_for box_managed
xdotool windowactivate --sync "$(small_box)" key --clearmodifiers Return
close_main "$pid"
check "the malformed file was replaced" sh -c "! grep -q unclosed '$app/WindowSettings.ini'"
start "$notes/Default.txt"
answer_charset
wait_for main_shown
check "the next start shows no message" sh -c "[ \$(xdotool search --onlyvisible --name '^Lintrel\$' | wc -l) -eq 1 ]"
close_main "$pid"

# The note file vanishes while the program runs; Browse cannot open it again, and nothing
# changes.
cp "$notes/Default.txt" "$notes/vanishing.txt"
start "$notes/vanishing.txt"
answer_charset
wait_for main_shown
rm "$notes/vanishing.txt"
xdotool windowactivate --sync "$(main_window)" key --clearmodifiers alt+b
check "the file dialog opens" wait_for window_shown 'Select a file to open with Lintrel'
xdotool type --delay 20 "$notes/vanishing.txt"
xdotool key --clearmodifiers Return
# The dialog refuses a missing file with a message; Escape closes the message, then the dialog.
dialog_gone() { ! xdotool search --onlyvisible --name 'Select a file' >/dev/null 2>&1; }
for _ in 1 2 3 4 5; do
    dialog_gone && break
    wait_for focused_named 'Select a file to open with Lintrel'
    xdotool key --clearmodifiers Escape
done
check "the file dialog is gone" wait_for dialog_gone
close_main "$pid"
check "the vanished file is still the one remembered" \
    test "$(field FileSettings.ini 7)" = "$notes/vanishing.txt"
finish
