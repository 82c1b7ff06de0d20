#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: Lintrel writes no file outside its program folder. With HOME and the
# configuration and cache folders pointing at an empty folder, the three Browse buttons and
# both colour swatches are used and the program is closed: the folder is still empty.
set -euo pipefail
binary=$1
notes=$2
source "$(dirname "$0")/lib.sh"
start_desktop

home=$work/home
mkdir -p "$home"
make_app "$binary"
# "Load specified file:" chosen, so that its Browse button is enabled.
printf 'False\r\nFalse\r\nFalse\r\nTrue\r\n%s\r\n\r\n\r\n' "$notes" >"$app/FileSettings.ini"

# Presses $1 in window $2, waits for a window named $3, and closes it with Escape.
use() {
    xdotool windowactivate --sync "$2" key --clearmodifiers "$1"
    wait_for focused_named "$3" || { echo "no window \"$3\" after $1"; return 1; }
    xdotool key --clearmodifiers Escape
    wait_for gone "$3"
}
gone() { ! window_shown "$1"; }
settings() { xdotool search --onlyvisible --name '^Settings - Lintrel$' | head -n 1; }

HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share \
    "$app/lintrel" "$notes" >/dev/null 2>&1 &
pid=$!
answer_charset
wait_for main_managed
check "the main window's Browse" use alt+b "$(main_window)" "Select a file to open with Lintrel"
xdotool windowactivate --sync "$(main_window)" key --clearmodifiers alt+s
wait_for focused_named "Settings - Lintrel"
check "the start-up file's Browse" use alt+b "$(settings)" \
    "Select a file to open with Lintrel on program startup"
check "the editor's Browse" use alt+w "$(settings)" "Select an external text editor to use with Lintrel"
check "the font colour" use alt+c "$(settings)" "Colour - Lintrel"
check "the background colour" use alt+k "$(settings)" "Colour - Lintrel"
close_main "$pid"
check "nothing was written outside the program folder" test -z "$(find "$home" -mindepth 1)"
find "$home" -mindepth 1 | head
finish
