# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of the end-to-end tests: a desktop under Xvfb with openbox, and the waits
# that drive the real program as a user would. Sourced by the test scripts.

work=$(mktemp -d)
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to about ten seconds for a command to succeed.
wait_for() {
    for _ in $(seq 200); do "$@" && return 0; sleep 0.05; done
    "$@"
}

# Starts Xvfb (1280x800, or $SCREEN_SIZE) on a display it finds free itself: with -displayfd
# it takes the first number whose lock file and sockets (the abstract one too, which another
# container on the same network can hold) it can have, and writes the number once it listens.
start_display() {
    local number=$work/display-number
    Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1280x800}x24" -nolisten tcp \
        3>"$number" >"$work/xvfb.log" 2>&1 &
    wait_for grep -q '^[0-9]' "$number" || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=:$(head -n 1 "$number")
    # The programs go to this display, even from a caller that chose Qt's offscreen platform.
    unset QT_QPA_PLATFORM
    wait_for xdpyinfo >/dev/null 2>&1 || { echo "Xvfb does not answer on $DISPLAY"; exit 1; }
}

# Starts Xvfb and a window manager on it.
start_desktop() {
    start_display
    # The window manager ($WM, openbox unless set) now and then fails to take the display at
    # once: try again.
    local wm=${WM:-openbox} wm_pid
    for _ in 1 2 3 4 5; do
        "$wm" >"$work/wm.log" 2>&1 &
        wm_pid=$!
        wait_for wm_running && break
        kill "$wm_pid" 2>/dev/null || true
    done
    wm_running || { echo "$wm did not start:"; cat "$work/wm.log"; exit 1; }
}
wm_running() { wmctrl -m >/dev/null 2>&1; }

# Makes the program folder $app ($work/app unless set) holding a copy of the program $1.
make_app() {
    app=${app:-$work/app}
    mkdir -p "$app"
    cp "$1" "$app/lintrel"
}

# Whether a visible window is named exactly $1.
window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# The first visible "Lintrel" window at least ($1 = wide) or less than ($1 = narrow) 560
# pixels wide: the main window is wide, the charset question, message and input boxes narrow.
lintrel_window() {
    local id w
    for id in $(xdotool search --onlyvisible --name '^Lintrel$' 2>/dev/null); do
        w=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
        if [ "$1" = wide ]; then [ "${w:-0}" -ge 560 ]; else [ "${w:-0}" -lt 560 ]; fi &&
            { echo "$id"; return 0; }
    done
    return 1
}
main_window() { lintrel_window wide; }
main_shown() { main_window >/dev/null; }
small_box() { lintrel_window narrow; }
small_box_shown() { small_box >/dev/null; }

# Whether the window manager manages window $1: it has given the window its state, so that it
# acts on a request to close, move or activate it, and the window's frame is in place.
managed() { [ -n "$1" ] && xprop -id "$1" WM_STATE 2>/dev/null | grep -q 'window state: Normal'; }
main_managed() { managed "$(main_window)"; }
box_managed() { managed "$(small_box)"; }
# Whether the window with the keyboard focus is named exactly $1: keys typed now go to it.
focused_named() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
# Waits until command $@ prints the same twice in a row, 0.1 s apart, and prints it: a
# window's frame once the window manager and the program have stopped moving it.
settled() {
    local before now
    before=$("$@")
    for _ in $(seq 50); do
        sleep 0.1
        now=$("$@")
        [ "$now" = "$before" ] && break
        before=$now
    done
    echo "$now"
}

# Starts the program in $app on the files $@, answers the charset question with the default and
# waits for the main window; sets $pid.
start_app() {
    "$app/lintrel" "$@" >/dev/null 2>&1 &
    pid=$!
    answer_charset
    wait_for main_managed
}

# Types an answer into the charset question once it is shown, and confirms it.
answer_charset() {
    wait_for window_shown Lintrel || { echo "no charset question"; return 1; }
    [ -n "${1:-}" ] && xdotool type --delay 20 "$1"
    xdotool key --clearmodifiers Return
}

# Closes the main window through the window manager, as a user would, and waits for the
# program ($1, its process id) to end.
close_main() {
    wait_for main_managed || { echo "the main window did not show"; return 1; }
    wmctrl -c Lintrel
    wait_for not_running "$1"
}
not_running() { ! kill -0 "$1" 2>/dev/null; }
# Whether program $1 has ended or shows a message box.
ended_or_asking() { not_running "$1" || small_box_shown; }
# Closes the main window of process $1 and checks, under the name $2, that the program ends
# without a message box (a refused save would show one before the program ends).
close_without_message() {
    local _
    wait_for main_managed
    wmctrl -c Lintrel
    wait_for ended_or_asking "$1" || true
    check "$2" test -z "$(small_box || true)"
    wait_for not_running "$1" || kill "$1"
}

failures=0
check() {
    local name=$1
    shift
    if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}
finish() {
    echo "$failures failed"
    [ "$failures" -eq 0 ]
}

# The outer frame of window $1 on the screen: "left top width height", from the client's
# place and the frame extents the window manager announces.
frame_of() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))"
}
