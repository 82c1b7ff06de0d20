#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on Wayland: the real program as a native Wayland client (no X display) of sway,
# nested in Xvfb, driven with xdotool through sway's window. Start, the keys of both windows,
# Exit, and a place saved on X11 coming back unchanged; then each signal at note 3.
# sway refuses to run as root: run by root it runs as the unprivileged user nobody, else as
# the user who runs the test.
set -euo pipefail
binary=$1
source "$(dirname "$0")/lib.sh"
if ! command -v sway >/dev/null; then
    echo "skipped: sway is not installed"
    exit 0
fi
start_display

chmod 755 "$work"
runtime=$work/runtime
mkdir -m 700 "$runtime"
printf 'output * bg #336699 solid_color\ndefault_border normal\n' >"$work/sway.conf"
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$runtime" "$work/sway.conf"
    as_sway_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
else
    as_sway_user() { "$@"; }
fi
(cd / && as_sway_user env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=x11 WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$work/sway.conf") >"$work/sway.log" 2>&1 &
wait_for test -S "$runtime/wayland-1" || { echo "sway did not start"; cat "$work/sway.log"; exit 1; }
# sway's own window on the X display: the keys typed there go to the focused Wayland window,
# once the pointer is over it.
sway_window() { xwininfo -root -children | awk '/^ +0x[0-9a-f]+ / { print $1; exit }'; }
sway_window_shown() { [ -n "$(sway_window)" ]; }
wait_for sway_window_shown || { echo "sway shows no window"; exit 1; }
xdotool windowfocus --sync "$(sway_window)"
xdotool mousemove 500 400

# The Wayland windows sway shows, one line each: "tiled|floating FOCUS width height title", FOCUS
# "*" for the one with the keyboard focus, else "-". The main window is tiled; Lintrel's boxes
# float. A title is matched by its first word.
views() {
    as_sway_user env XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$(ls "$runtime"/sway-ipc.*)" \
        swaymsg -r -t get_tree | python3 -c '
import json, sys
def walk(n, kind):
    if n.get("pid") and n.get("visible", True):
        print(kind, "*" if n.get("focused") else "-", n["rect"]["width"],
              n["rect"]["height"], n.get("name"))
    for c in n.get("nodes", []):
        walk(c, kind)
    for c in n.get("floating_nodes", []):
        walk(c, "floating")
walk(json.load(sys.stdin), "tiled")'
}
# Whether keys typed now go to the main window, to a box of Lintrel's, or to the settings
# window.
focused_is() { views | awk -v t="$1" -v k="$2" '$5 == t && $1 ~ k && $2 == "*" { f = 1 } END { exit !f }'; }
main_focused() { focused_is Lintrel tiled; }
box_focused() { focused_is Lintrel floating; }
settings_focused() { focused_is Settings .; }
# How many windows of title $1 sway shows.
count_views() { views | awk -v t="$1" '$5 == t' | wc -l; }
views_are() { [ "$(count_views "$1")" = "$2" ]; }
main_up() { views | awk '$5 == "Lintrel" && $1 == "tiled" { found = 1 } END { exit !found }'; }
key() { xdotool key --clearmodifiers "$@"; }

make_app "$binary"
notes=$work/notes.txt
printf 'one\r\ntwo\r\nthree\r\nfour\r\n' >"$notes"
chmod -R a+rX "$work"
# A place and size saved on an X11 desktop, to be restored.
window=' 0 \r\n 1 \r\n 1500 \r\n 2250 \r\n 1 \r\n 6480 \r\n 10620 \r\n'
place() { sed -n 3,4p "$app/WindowSettings.ini" | tr -d ' \r' | tr '\n' ' '; }
shown_note() { sed -n 10p "$app/GeneralSettings.ini" | tr -d ' \r'; }

# Starts the program as a Wayland client only, answers the charset question; sets $pid. Under
# the sanitizers a leak report does not fail the run: Qt's Wayland platform leaves its Wayland
# objects, and what they hold, to the end of the process (the other suites check for leaks).
start() {
    (cd "$work" && exec env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 \
        QT_QPA_PLATFORM=wayland LSAN_OPTIONS=exitcode=0 \
        "$app/lintrel" "$notes") >>"$work/lintrel.log" 2>&1 &
    pid=$!
    wait_for box_focused || {
        echo "FAILED: the program shows no charset question on Wayland; it said:"
        cat "$work/lintrel.log"
        echo "sway said:"
        tail -n 20 "$work/sway.log"
        return 1
    }
    key Return
    wait_for main_up && wait_for views_are Lintrel 1 && wait_for main_focused
}

printf "$window" >"$app/WindowSettings.ini"
start
check "the main window shows on Wayland" main_up
key ctrl+g
check "Go to asks" wait_for views_are Lintrel 2
wait_for box_focused
xdotool type --delay 20 3
key Return
check "and its box closes" wait_for views_are Lintrel 1
wait_for main_focused
key alt+s
check "Alt+S shows the settings window" wait_for views_are Settings 1
wait_for settings_focused
key Escape
check "Escape hides it" wait_for views_are Settings 0
wait_for main_focused
key F1
check "F1 shows About" wait_for views_are Lintrel 2
wait_for box_focused
key Return
wait_for views_are Lintrel 1 && wait_for main_focused
key ctrl+f
wait_for views_are Lintrel 2 && wait_for box_focused
xdotool type --delay 20 FOUR
key Return
check "Find answers" wait_for views_are Lintrel 1
wait_for main_focused
key alt+p
key alt+x
check "Exit ends the program" wait_for not_running "$pid"
wait "$pid" && rc=0 || rc=$?
check "without a crash (exit status $rc)" test "$rc" = 0
check "the place saved on X11 comes back unchanged" test "$(place)" = "1500 2250 "
check "the note shown is saved" test "$(shown_note)" = 3

for sig in TERM HUP INT; do
    rm -f "$app"/*.ini
    printf "$window" >"$app/WindowSettings.ini"
    start
    key ctrl+g
    wait_for views_are Lintrel 2 && wait_for box_focused
    xdotool type --delay 20 3
    key Return
    wait_for views_are Lintrel 1 && wait_for main_focused
    kill -s "$sig" "$pid"
    check "SIG$sig ends the program on Wayland" wait_for not_running "$pid"
    check "SIG$sig saves note 3" test "$(shown_note)" = 3
    check "SIG$sig keeps the place" test "$(place)" = "1500 2250 "
done
# At output scale 2, starts that change nothing leave WindowSettings.ini byte for byte, with the
# settings window shown and hidden in each.
as_sway_user env XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$(ls "$runtime"/sway-ipc.*)" \
    swaymsg output '*' scale 2 >/dev/null
rm -f "$app"/*.ini
printf ' 0 \r\n 1 \r\n 1500 \r\n 2250 \r\n 1 \r\n 5505 \r\n 9090 \r\n' >"$app/WindowSettings.ini"
for round in $(seq 0 10); do
    [ "$round" = 1 ] && cp "$app/WindowSettings.ini" "$work/before.ini"
    start
    key alt+s
    wait_for settings_focused
    key Escape
    wait_for views_are Settings 0 && wait_for main_focused
    key alt+x
    wait_for not_running "$pid"
done
check "ten starts at scale 2 leave the file as it was" \
    cmp -s "$work/before.ini" "$app/WindowSettings.ini"
if grep -qi "segmentation\|abort" "$work/lintrel.log"; then
    cat "$work/lintrel.log"
    check "no crash reported" false
fi
finish
