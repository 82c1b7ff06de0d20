#!/usr/bin/env bash
# Takes a screenshot of the main window under Xvfb with openbox, showing the first sample
# note, into docs/screenshot.png. Needs a built build/lintrel.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# A portable copy of the program, starting at the first note.
cp build/lintrel "$work/"
printf 'True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n1\r\nnotepad.exe\r\n 0 \r\n' \
    > "$work/GeneralSettings.ini"

display=:97
Xvfb "$display" -screen 0 1024x600x24 >/dev/null 2>&1 &
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
sleep 0.5

"$work/lintrel" "$PWD/examples/sample-notes.txt" >/dev/null 2>&1 &
# Answer the charset question with the default, then wait for the main window.
for _ in $(seq 100); do xdotool search --name '^Lintrel$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
xdotool key Return
for _ in $(seq 100); do
    [ "$(xdotool search --name '^Lintrel$' 2>/dev/null | wc -l)" -ge 1 ] && \
        xdotool search --onlyvisible --name '^Lintrel$' getwindowgeometry 2>/dev/null | grep -q 'Geometry: 5' && break
    sleep 0.1
done
sleep 1
id=$(xdotool search --onlyvisible --name '^Lintrel$' | head -n 1)
xwd -silent -frame -id "$id" | convert xwd:- "$out" 2>/dev/null || import -window "$id" -frame "$out"
wmctrl -c Lintrel || true
echo "$out"
