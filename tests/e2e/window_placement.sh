#!/usr/bin/env bash
# End to end: the real program under Xvfb with openbox. With position and size saved, two
# runs in a row write the same position and size; without WindowSettings.ini the window
# opens centred on the screen.
set -euo pipefail
binary=$1
notes=$2
work=$(mktemp -d)
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number that no other X server holds.
for n in $(seq 110 180); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display"; exit 1; }
# The window manager now and then fails to take the display at once: try again.
for _ in 1 2 3; do
    openbox >/dev/null 2>&1 &
    for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
    wmctrl -m >/dev/null 2>&1 && break
done
wmctrl -m >/dev/null 2>&1 || { echo "openbox did not start"; exit 1; }
cp "$binary" "$work/lintrel"

# The main window is the visible "Lintrel" window at least 570 pixels wide (the charset
# question's box is narrower).
main_shown() {
    local id w
    for id in $(xdotool search --onlyvisible --name '^Lintrel$' 2>/dev/null); do
        w=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
        [ "${w:-0}" -ge 570 ] && return 0
    done
    return 1
}

# One run: answer the charset question, wait for the main window, close it as a user would.
run() {
    "$work/lintrel" "$notes" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 200); do xdotool search --onlyvisible --name '^Lintrel$' >/dev/null 2>&1 && break; sleep 0.05; done
    xdotool key --clearmodifiers Return
    for _ in $(seq 200); do main_shown && break; sleep 0.05; done
    sleep 0.3
    wmctrl -c Lintrel
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    ! kill -0 "$pid" 2>/dev/null
}

# Centred without a settings file: (19200 - 8670) / 2 = 5265 left, (12000 - 4215) / 2 = 3892.5 top.
run
top=$(sed -n 3p "$work/WindowSettings.ini" | tr -d ' \r')
left=$(sed -n 4p "$work/WindowSettings.ini" | tr -d ' \r')
echo "centred: top $top left $left"
[ "$((top / 15))" -ge 258 ] && [ "$((top / 15))" -le 260 ] && [ "$((left / 15))" -ge 350 ] && [ "$((left / 15))" -le 352 ]

printf ' 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n 6480 \r\n 10620 \r\n' > "$work/WindowSettings.ini"
run
first=$(cat "$work/WindowSettings.ini")
run
second=$(cat "$work/WindowSettings.ini")
echo "first:  $(echo "$first" | tr -d '\r' | tr '\n' '|')"
echo "second: $(echo "$second" | tr -d '\r' | tr '\n' '|')"
[ "$first" = "$second" ]
[ "$first" = "$(printf ' 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n 6480 \r\n 10620 \r\n')" ]
echo "1 passed, 0 failed"
