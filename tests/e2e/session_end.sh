#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the desktop ends the real program (kill, logout, a closed terminal, Ctrl+C)
# under Xvfb with openbox. Each signal, with the main window at note 3 and with the Go to box
# still open, leaves the four settings files as closing the window would, with note 3; a
# second signal while the end waits on a message ends the program at once.
set -euo pipefail
binary=$1
source "$(dirname "$0")/lib.sh"
start_desktop

make_app "$binary"
notes=$work/notes.txt
printf 'one\r\ntwo\r\nthree\r\nfour\r\n' >"$notes"
files="FileSettings.ini GeneralSettings.ini WindowSettings.ini FontSettings.ini"
shown_note() { sed -n 10p "$app/GeneralSettings.ini" | tr -d ' \r'; }
input_gone() { ! small_box_shown; }

# Starts the program on the note file and goes to note 3 with Ctrl+G; with $1 = open, asks
# Ctrl+G once more and leaves that box open. Sets $pid.
start_at_note_3() {
    rm -f "$app"/*.ini
    start_app "$notes"
    xdotool windowactivate --sync "$(main_window)" key --clearmodifiers ctrl+g
    wait_for small_box_shown
    xdotool type --delay 20 3
    xdotool key --clearmodifiers Return
    wait_for input_gone
    if [ "${1:-}" = open ]; then
        xdotool windowactivate --sync "$(main_window)" key --clearmodifiers ctrl+g
        wait_for small_box_shown
    fi
}
all_saved() {
    local f
    for f in $files; do [ -s "$app/$f" ] || return 1; done
}

for sig in TERM HUP INT; do
    for box in closed open; do
        start_at_note_3 "$([ $box = open ] && echo open || true)"
        kill -s "$sig" "$pid"
        check "SIG$sig (Go to box $box) ends the program" wait_for not_running "$pid"
        check "SIG$sig (Go to box $box) saves the four files" all_saved
        check "SIG$sig (Go to box $box) keeps note 3" test "$(shown_note)" = 3
    done
done

# A second signal while the end waits on a message nobody answers (the four files pinned
# read-only, so that each save is reported): the program ends at once, the files as they were.
start_at_note_3
kill -TERM "$pid"
wait_for not_running "$pid"
chmod 444 "$app"/*.ini
cp "$app/GeneralSettings.ini" "$work/general.before"
start_app "$notes"
kill -TERM "$pid"
check "the end shows the first save's message" wait_for small_box_shown
kill -TERM "$pid"
ended=no
for _ in $(seq 20); do not_running "$pid" && { ended=yes; break; }; sleep 0.05; done
check "a second signal ends the program within a second" test "$ended" = yes
not_running "$pid" || kill -KILL "$pid"
check "and the pinned file is as it was" cmp -s "$app/GeneralSettings.ini" "$work/general.before"
chmod 644 "$app"/*.ini

# A signal during start-up, at the charset question: the program ends and writes nothing.
rm -f "$app"/*.ini
"$app/lintrel" "$notes" >/dev/null 2>&1 &
pid=$!
wait_for window_shown Lintrel
kill -TERM "$pid"
check "a signal at the charset question ends the program" wait_for not_running "$pid"
check "and writes no settings file" test -z "$(ls "$app"/*.ini 2>/dev/null)"
finish
