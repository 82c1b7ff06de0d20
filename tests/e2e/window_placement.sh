#!/usr/bin/env bash
# End to end: the real program under Xvfb with openbox. With position and size saved, two
# runs in a row write the same position and size; without WindowSettings.ini the window
# opens centred on the screen.
set -euo pipefail
binary=$1
notes=$2
source "$(dirname "$0")/lib.sh"
start_desktop
cp "$binary" "$work/lintrel"

# One run: answer the charset question, wait for the main window, close it as a user would.
run() {
    "$work/lintrel" "$notes" >/dev/null 2>&1 &
    local pid=$!
    answer_charset
    close_main "$pid"
}

# Centred without a settings file on the 1280 x 800 screen (19200 x 12000 twips), for the
# size the window has at the desktop's font: left (19200 - width) / 2, top (12000 - height) / 2.
run
value() { sed -n "$1p" "$work/WindowSettings.ini" | tr -d ' \r'; }
top=$(value 3) left=$(value 4) height=$(value 6) width=$(value 7)
echo "centred: top $top left $left height $height width $width"
near() { [ $(($1 - $2)) -le 15 ] && [ $(($2 - $1)) -le 15 ]; }
near "$((2 * top))" "$((12000 - height))" && near "$((2 * left))" "$((19200 - width))"

printf ' 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n 6480 \r\n 13620 \r\n' > "$work/WindowSettings.ini"
run
first=$(cat "$work/WindowSettings.ini")
run
second=$(cat "$work/WindowSettings.ini")
echo "first:  $(echo "$first" | tr -d '\r' | tr '\n' '|')"
echo "second: $(echo "$second" | tr -d '\r' | tr '\n' '|')"
[ "$first" = "$second" ]
[ "$first" = "$(printf ' 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n 6480 \r\n 13620 \r\n')" ]
echo "1 passed, 0 failed"
