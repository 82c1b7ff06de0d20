#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: corners of start-up and saving on the real program under Xvfb with openbox: a
# note file named like a toolkit option and given by a relative path, Next on an empty list
# from a hand-edited note number, and a program folder that takes no new file while its
# settings files may be written, and one that takes no file at all (as an ordinary user;
# skipped when there is none to be).
set -euo pipefail
binary=$1
examples=$2
source "$(dirname "$0")/lib.sh"
start_desktop

notes=$work/notes
mkdir -p "$notes"
make_app "$binary"
printf 'from the default file\r\n' >"$app/Default.txt"
field() { sed -n "$2p" "$1/$3" | tr -d '\r' | sed 's/^ *//; s/ *$//'; }

# A relative path that looks like a toolkit option is the note file, kept as a full path.
cp "$examples/sample-notes.txt" "$notes/-style=fusion.txt"
(cd "$notes" && exec "$app/lintrel" -style=fusion.txt >/dev/null 2>&1) &
pid=$!
answer_charset
close_main "$pid"
check "a note file named like a toolkit option is loaded by its full path" \
    test "$(field "$app" 7 FileSettings.ini)" = "$notes/-style=fusion.txt"

# Next on an empty list with the note number -1 from the file: "Reached end of file.", and
# the number stays.
: >"$notes/empty.txt"
printf 'False\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n1\r\nnotepad.exe\r\n-1 \r\n' \
    >"$app/GeneralSettings.ini"
start_app "$notes/empty.txt"
xdotool windowactivate --sync "$(main_window)" key --clearmodifiers alt+n
check "Next on an empty list reports the end" wait_for small_box_shown
xdotool windowactivate --sync "$(small_box)" key --clearmodifiers Return
close_main "$pid"
check "the note number stays -1" test "$(field "$app" 10 GeneralSettings.ini)" = "-1"

# A program folder that takes no new file, with settings files its user may write. Run by
# root, the program runs as the user nobody (root could write the folder anyway).
if [ "$(id -u)" -eq 0 ]; then
    as_reader() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
    reader=nobody
else
    as_reader() { "$@"; }
    reader=$(id -un)
fi
if ! id "$reader" >/dev/null 2>&1; then
    echo "skipped: no user $reader to run as"
else
    locked=$work/locked
    mkdir -p "$locked"
    cp "$binary" "$locked/lintrel"
    cp "$app"/*.ini "$locked/"
    chown "$reader" "$locked"/*.ini
    chmod 755 "$work" "$notes"
    chmod 555 "$locked"
    cp "$examples/sample-notes.txt" "$notes/locked.txt"
    chmod 644 "$notes/locked.txt"
    as_reader env HOME="$work" \
        "$locked/lintrel" "$notes/locked.txt" >/dev/null 2>&1 &
    pid=$!
    answer_charset
    close_without_message "$pid" "no save was refused"
    check "the settings files were written in place" \
        test "$(field "$locked" 7 FileSettings.ini)" = "$notes/locked.txt"
    check "no other file was made" test "$(ls -A "$locked" | wc -l)" = 5

    # Installed where its user cannot write, with no settings files there: the user's
    # configuration folder keeps them, and the next start reads them back.
    system=$work/system
    home=$work/reader
    mkdir -p "$system" "$home"
    cp "$binary" "$system/lintrel"
    chmod 555 "$system"
    chown "$reader" "$home"
    for run in 1 2; do
        as_reader env -u XDG_CONFIG_HOME \
            HOME="$home" "$system/lintrel" "$notes/locked.txt" >/dev/null 2>&1 &
        pid=$!
        answer_charset
        close_without_message "$pid" "run $run: no save or load was refused"
    done
    check "the settings are kept in ~/.config/lintrel" \
        test "$(field "$home/.config/lintrel" 7 FileSettings.ini)" = "$notes/locked.txt"
    check "all four of them" test "$(ls "$home/.config/lintrel" | wc -l)" = 4
    check "nothing beside the program" test "$(ls -A "$system")" = lintrel
fi
finish
