#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: where the real program puts its main window, under Xvfb (1280 x 800) with a
# window manager ($WM: openbox unless set). Left and Top are the outer frame's corner: a
# first start centres the frame, a saved place puts the frame's corner there, and saved
# values come back as themselves run after run. And the frame the settings window gets: a
# close box only, kept out of the task bar, each time it is shown.
set -euo pipefail
binary=$1
notes=$2
source "$(dirname "$0")/lib.sh"
start_desktop
echo "window manager: $(wmctrl -m | sed -n 's/^Name: //p')"
cp "$binary" "$work/lintrel"

# One run: answer the charset question, note where the main window's frame stands, close it
# as a user would.
run() {
    "$work/lintrel" "$notes" >/dev/null 2>&1 &
    local pid=$!
    answer_charset
    wait_for main_managed
    frame=$(settled frame_of "$(main_window)")
    close_main "$pid"
}
saved() { tr -d '\r' <"$work/WindowSettings.ini" | tr '\n' '|'; }
within() { [ $(($1 - $2)) -le "$3" ] && [ $(($2 - $1)) -le "$3" ]; }

rm -f "$work/WindowSettings.ini"
run
read -r left top width height <<<"$frame"
echo "first start: frame $frame"
check "a first start centres the outer frame" \
    eval 'within "$left" $(((1280 - width) / 2)) 4 && within "$top" $(((800 - height) / 2)) 4'

printf ' 0 \r\n 1 \r\n 1440 \r\n 1440 \r\n 0 \r\n 0 \r\n 0 \r\n' >"$work/WindowSettings.ini"
run
echo "saved 1440, 1440: frame $frame"
check "a saved place of 1440 twips puts the frame's corner at 96, 96" \
    eval '[ "$(echo "$frame" | cut -d" " -f1-2)" = "96 96" ]'

printf ' 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n' >"$work/WindowSettings.ini"
run
echo "saved 0, 0: frame $frame"
check "a saved place of 0, 0 keeps the title bar on the screen" \
    eval '[ "$(echo "$frame" | cut -d" " -f1-2)" = "0 0" ]'

printf ' 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n 6480 \r\n 13620 \r\n' >"$work/WindowSettings.ini"
run
first=$(saved)
run
echo "two runs: $first / $(saved)"
check "two runs in a row write the same seven lines" test "$first" = "$(saved)"
check "and they are the ones loaded" test "$first" = " 0 | 1 | 1500 | 3000 | 1 | 6480 | 13620 |"

printf ' 0 \r\n 1 \r\n-999 \r\n 600 \r\n 0 \r\n 0 \r\n 0 \r\n' >"$work/WindowSettings.ini"
run
run
run
echo "saved top -999, third run: frame $frame, file $(saved)"
check "a saved top of -999 is still restored on the third run" \
    eval '[ "$(echo "$frame" | cut -d" " -f1-2)" = "40 -67" ]'
# The settings window, as the window manager sees it: the actions it allows and the states.
dialog() { xdotool search --onlyvisible --name '^Settings - Lintrel$' 2>/dev/null | head -1; }
dialog_shown() { [ -n "$(dialog)" ]; }
dialog_hidden() { ! dialog_shown; }
wm_property() { xprop -id "$(dialog)" "$1" | sed 's/.*= //'; }
allows() { wm_property _NET_WM_ALLOWED_ACTIONS | grep -q "_NET_WM_ACTION_$1"; }
off_task_bar() { wm_property _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
"$work/lintrel" "$notes" >/dev/null 2>&1 &
pid=$!
answer_charset
wait_for main_shown
for round in first second; do
    xdotool key --clearmodifiers alt+s
    wait_for dialog_shown && wait_for managed "$(dialog)"
    echo "settings window, $round show: $(wm_property _NET_WM_ALLOWED_ACTIONS)"
    check "the settings window can be closed ($round show)" allows CLOSE
    check "it has no minimise box ($round show)" eval '! allows MINIMIZE'
    check "it has no maximise box ($round show)" eval '! allows MAXIMIZE_VERT'
    check "it is kept out of the task bar ($round show)" off_task_bar
    xdotool key --clearmodifiers Escape
    check "Escape hides it ($round show)" wait_for dialog_hidden
done
close_main "$pid"

# Starts that change nothing leave the saved place and size byte for byte, also at scale 2 and
# with the settings window shown and hidden in each run. The first start takes a saved size
# within the screen and the window's least size.
for scale in 1 2; do
    printf ' 0 \r\n 1 \r\n 900 \r\n 1200 \r\n 1 \r\n 5505 \r\n 9090 \r\n' >"$work/WindowSettings.ini"
    for round in $(seq 0 10); do
        [ "$round" = 1 ] && cp "$work/WindowSettings.ini" "$work/before.ini"
        QT_SCALE_FACTOR=$scale "$work/lintrel" "$notes" >/dev/null 2>&1 &
        pid=$!
        answer_charset
        wait_for main_managed
        xdotool windowactivate --sync "$(main_window)" key --clearmodifiers alt+s
        wait_for dialog_shown && wait_for managed "$(dialog)"
        xdotool key --clearmodifiers Escape
        wait_for dialog_hidden
        close_main "$pid"
    done
    check "ten starts at scale $scale leave the file as it was ($(saved))" \
        cmp -s "$work/before.ini" "$work/WindowSettings.ini"
done
finish
