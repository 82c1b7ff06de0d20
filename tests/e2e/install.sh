#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: installs the portable folder into a temporary DIR, starts DIR/bin/lintrel on an
# example file under Xvfb, closes it, and finds the four settings files beside the real
# executable, not beside the link.
set -euo pipefail
build=$(cd "$1" && pwd)
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
check "the desktop entry asks for start-up notification" \
    grep -qx "StartupNotify=true" "$dir/share/applications/org.lintrel.Lintrel.desktop"

# The user's install and uninstall, into a temporary HOME: afterwards only the settings
# files are left, and --purge takes them too. The install sets no default program: where the
# user has one for plain text it stays; where none is set, xdg-mime answers as before, or with
# Lintrel, one more program whose entry names plain text (the README says so).
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
default_text() { HOME=$1 xdg-mime query default text/plain 2>/dev/null || true; }
home=$work/home-with-default
mkdir -p "$home/.local/share/applications"
printf '[Desktop Entry]\nType=Application\nName=Other\nExec=true %%f\nMimeType=text/plain;\n' \
    >"$home/.local/share/applications/other-editor.desktop"
HOME=$home xdg-mime default other-editor.desktop text/plain
HOME=$home LINTREL_BUILD_DIR=$build "$scripts/install-user.sh" >/dev/null
check "the install leaves the user's default program for plain text" \
    test "$(default_text "$home")" = other-editor.desktop
home=$work/home
mkdir -p "$home"
before=$(default_text "$home")
HOME=$home LINTREL_BUILD_DIR=$build "$scripts/install-user.sh" >/dev/null
check "with no default set, the install sets none" \
    test ! -e "$home/.config/mimeapps.list" -a ! -e "$home/.local/share/applications/mimeapps.list"
after=$(default_text "$home")
check "and plain text opens as before ($before) or with Lintrel ($after)" \
    test "$after" = "$before" -o "$after" = org.lintrel.Lintrel.desktop
(cd "$work" && exec env HOME="$home" "$home/.local/bin/lintrel" \
    "$home/.local/lintrel/examples/sample-notes.txt") >/dev/null 2>&1 &
pid=$!
answer_charset
close_main "$pid"
HOME=$home "$scripts/uninstall-user.sh" >/dev/null
left=$(cd "$home" && find . -mindepth 1 -type f | sort | tr '\n' ' ')
check "uninstall leaves only the settings files, and the list of the folders around them" \
    test "$left" = \
    "./.local/lintrel/FileSettings.ini ./.local/lintrel/FontSettings.ini ./.local/lintrel/GeneralSettings.ini ./.local/lintrel/WindowSettings.ini ./.local/lintrel/installed-files "
check "and no link or folder of the install" test -z "$(cd "$home" && find . -mindepth 1 -not -type f -not -path ./.local -not -path ./.local/lintrel)"
home=$work/home2
mkdir -p "$home"
HOME=$home LINTREL_BUILD_DIR=$build "$scripts/install-user.sh" >/dev/null
printf 'x' >"$home/.local/lintrel/FileSettings.ini"
HOME=$home "$scripts/uninstall-user.sh" --purge >/dev/null
check "install and uninstall --purge leave nothing" test -z "$(find "$home" -mindepth 1)"

# --purge after a plain uninstall still takes the settings files that one left.
home=$work/home3
mkdir -p "$home"
HOME=$home LINTREL_BUILD_DIR=$build "$scripts/install-user.sh" >/dev/null
printf 'x' >"$home/.local/lintrel/FileSettings.ini"
HOME=$home "$scripts/uninstall-user.sh" >/dev/null
HOME=$home "$scripts/uninstall-user.sh" --purge >/dev/null
check "--purge after an uninstall takes the settings files" test ! -e "$home/.local/lintrel"
check "and the folders the install made" test -z "$(find "$home" -mindepth 1)"

# A program folder that links elsewhere: --purge removes nothing through the link.
linked=$work/linked
mkdir -p "$linked/prefix" "$linked/elsewhere"
for f in FileSettings.ini GeneralSettings.ini WindowSettings.ini FontSettings.ini installed-files; do
    printf 'x' >"$linked/elsewhere/$f"
done
ln -s ../elsewhere "$linked/prefix/lintrel"
"$scripts/uninstall-user.sh" --purge "$linked/prefix" >/dev/null 2>&1 || true
check "--purge follows no linked program folder" test "$(ls "$linked/elsewhere" | wc -l)" = 5

# A PREFIX that begins with "-" is a folder like any other.
rc=0
(cd "$work" && LINTREL_BUILD_DIR=$build "$scripts/install-user.sh" -dash >/dev/null &&
    "$scripts/uninstall-user.sh" --purge -dash >/dev/null) || rc=$?
check "a PREFIX beginning with - installs and uninstalls" test "$rc" = 0 -a ! -e "$work/-dash/lintrel"

# A PREFIX holding a space: the desktop entry quotes the program's path, as its format asks.
spaced="$work/with space"
LINTREL_BUILD_DIR=$build "$scripts/install-user.sh" "$spaced" >/dev/null
entry=$spaced/share/applications/org.lintrel.Lintrel.desktop
check "a path with a space is quoted in Exec" grep -qxF "Exec=\"$spaced/bin/lintrel\" %f" "$entry"
check "the quoted entry is valid" desktop-file-validate "$entry"
"$scripts/uninstall-user.sh" "$spaced" >/dev/null
check "and uninstalls" test ! -e "$spaced/bin/lintrel"
# A PREFIX holding a line break is refused by both scripts, with a message.
for script in install-user.sh uninstall-user.sh; do
    rc=0
    said=$(LINTREL_BUILD_DIR=$build "$scripts/$script" "$work/a
b" 2>&1) || rc=$?
    check "$script refuses a line break in PREFIX" test "$rc" -ne 0 -a ! -e "$work/a
b"
    check "$script says why" grep -q "line break" <<<"$said"
done

# An installed-files list leading out of PREFIX, through ".." and through a folder inside
# PREFIX that links elsewhere: uninstalling, as an unprivileged user, removes only what lies
# inside PREFIX.
trap_dir=$work/trap
mkdir -p "$trap_dir/prefix/lintrel" "$trap_dir/prefix/share" "$trap_dir/outside/linked"
touch "$trap_dir/outside/victim1" "$trap_dir/outside/victim2" "$trap_dir/outside/linked/victim3" \
    "$trap_dir/prefix/lintrel/own"
ln -s ../../outside/linked "$trap_dir/prefix/share/link"
printf '%s\n' "$trap_dir/prefix/lintrel/../../outside/victim1" "$trap_dir/prefix/../outside/victim2" \
    "$trap_dir/prefix/share/link/victim3" "$trap_dir/prefix/lintrel/own" \
    "$trap_dir/prefix/share/link" >"$trap_dir/prefix/lintrel/installed-files"
# Run by root, the script runs as the user nobody, from a copy that user can read.
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    cp "$scripts/uninstall-user.sh" "$trap_dir/"
    chown -R nobody "$trap_dir"
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$trap_dir/uninstall-user.sh" \
        "$trap_dir/prefix" >/dev/null
else
    "$scripts/uninstall-user.sh" "$trap_dir/prefix" >/dev/null
fi
check "nothing outside PREFIX is removed" test -e "$trap_dir/outside/victim1" \
    -a -e "$trap_dir/outside/victim2" -a -e "$trap_dir/outside/linked/victim3"
check "what lies inside PREFIX is" test ! -e "$trap_dir/prefix/lintrel/own" \
    -a ! -e "$trap_dir/prefix/share/link"

# The archive holds the program folder with the README, the licence and how to start it.
archive_dir=$work/archive
mkdir -p "$archive_dir"
(cd "$archive_dir" && cpack --config "$build/CPackConfig.cmake" -G TGZ >/dev/null)
listing=$(tar -tzf "$archive_dir"/Lintrel-*-Linux.tar.gz)
for f in lintrel/lintrel lintrel/README.md lintrel/LICENSE lintrel/START.txt bin/lintrel; do
    check "the archive holds $f" grep -q "/$f\$" <<<"$listing"
done
tar -xzf "$archive_dir"/Lintrel-*-Linux.tar.gz -C "$archive_dir"
check "its program is stripped" sh -c "file -L $archive_dir/*/lintrel/lintrel | grep -q ', stripped'"
finish
