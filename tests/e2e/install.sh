#!/usr/bin/env bash
# End to end: installs the portable folder into a temporary DIR, starts DIR/bin/lintrel on an
# example file under Xvfb, closes it, and finds the four settings files beside the real
# executable, not beside the link.
set -euo pipefail
build=$1
source "$(dirname "$0")/lib.sh"
start_desktop

dir=$work/install
cmake --install "$build" --prefix "$dir" >/dev/null
check "link to the executable" test "$(readlink "$dir/bin/lintrel")" = ../lintrel/lintrel
check "desktop entry names the link" \
    grep -qx "Exec=$dir/bin/lintrel %f" "$dir/share/applications/org.lintrel.Lintrel.desktop"
check "icons installed" test -f "$dir/share/icons/hicolor/48x48/apps/org.lintrel.Lintrel.png" \
    -a -f "$dir/share/icons/hicolor/scalable/apps/org.lintrel.Lintrel.svg"

(cd "$work" && exec "$dir/bin/lintrel" "$dir/lintrel/examples/sample-notes.txt") >/dev/null 2>&1 &
pid=$!
answer_charset
wait_for main_shown
window=$(main_window)
check "window has an icon" wait_for sh -c "xprop -id $window _NET_WM_ICON | grep -q \"Icon (48 x 48)\""
close_main "$pid"

for f in FileSettings.ini GeneralSettings.ini WindowSettings.ini FontSettings.ini; do
    check "$f beside the executable" test -f "$dir/lintrel/$f"
    check "$f not beside the link" test ! -e "$dir/bin/$f"
done
check "the file is remembered" grep -q "sample-notes.txt" "$dir/lintrel/FileSettings.ini"
finish
