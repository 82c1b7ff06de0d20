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
