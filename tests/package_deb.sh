#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with Debian's build flags in the system layout, checked by
# lintian, installed with apt, started as an ordinary user (its settings then kept in
# ~/.config/lintrel across two runs), and removed, leaving nothing of it. Needs root, as
# installing a package does; elsewhere it says it skipped.
#
#   tests/package_deb.sh SOURCE-DIR
set -euo pipefail
src=$(cd "$1" && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing a package needs root"
    exit 0
fi
# The check installs the package and removes it again: a lintrel package that was there
# before is the user's, and is left alone.
if dpkg-query -W -f='${Status}' lintrel 2>/dev/null | grep -q 'ok installed'; then
    echo "skipped: a lintrel package is installed already; remove it to run this check"
    exit 0
fi
source "$src/tests/e2e/lib.sh"
build=$work/build
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The README's packager commands, with Debian's build flags, on a machine without the test
# packages (hidden in a mount namespace, where one can be made).
hide=("$src/tests/without_test_packages.sh")
if ! unshare -m true 2>/dev/null; then
    echo "the test packages stay in sight: no mount namespace can be made here"
    hide=()
fi
"${hide[@]}" bash -euo pipefail -c '
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINTREL_SYSTEM_INSTALL=ON \
        -DBUILD_TESTING=OFF \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
    cmake --build "$2" >/dev/null
    (cd "$2" && cpack >/dev/null)
' bash "$src" "$build"
deb=$(ls "$build"/lintrel_*.deb)
echo "built $(basename "$deb")"

# lintian's errors and warnings fail the package; its notes are shown.
said=$(lintian --tag-display-limit 0 -I "$deb" 2>/dev/null || true)
[ -n "$said" ] && echo "$said"
if grep -q '^[EW]:' <<<"$said"; then
    echo "FAILED: lintian found errors or warnings"
    exit 1
fi

DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >/dev/null 2>&1
installed() { dpkg -s lintrel >/dev/null 2>&1; }
check "installs with apt" installed
check "the program is on the PATH" test "$(command -v lintrel)" = /usr/bin/lintrel
check "it is in the menu" test -f /usr/share/applications/org.lintrel.Lintrel.desktop
check "with its manual page" test -f /usr/share/man/man1/lintrel.1.gz
version=$(dpkg-query -W -f='${Version}' lintrel)
check "the package, the program and the Debian changelog name one version ($version)" \
    test "$(lintrel --version)" = "Lintrel $version" -a \
    "$(zcat /usr/share/doc/lintrel/changelog.Debian.gz | head -n 1)" = \
    "lintrel ($version) unstable; urgency=medium"
check "the metainfo names it too" grep -q "release version=\"$version\"" \
    /usr/share/metainfo/org.lintrel.Lintrel.metainfo.xml
check "which says what it is" sh -c 'zcat /usr/share/man/man1/lintrel.1.gz | grep -q NOTE-FILE'

# Started as an ordinary user: the settings are kept in ~/.config/lintrel.
if id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null && command -v Xvfb >/dev/null; then
    start_desktop
    home=$work/reader
    mkdir -p "$home"
    chmod 755 "$work"
    printf 'one\r\ntwo\r\n' >"$home/notes.txt"
    chown -R nobody "$home"
    for run in 1 2; do
        setpriv --reuid=nobody --regid=nogroup --clear-groups env -u XDG_CONFIG_HOME \
            HOME="$home" lintrel "$home/notes.txt" >/dev/null 2>&1 &
        pid=$!
        answer_charset
        close_without_message "$pid" "run $run ends with no message"
    done
    check "its settings are kept in ~/.config/lintrel" \
        grep -q "$home/notes.txt" "$home/.config/lintrel/FileSettings.ini"
    # Run by root, who could write /usr/bin: the settings still go to root's ~/.config, and
    # Default.txt is found there.
    roothome=$work/root-home
    mkdir -p "$roothome/.config/lintrel"
    printf 'the default note\r\n' >"$roothome/.config/lintrel/Default.txt"
    env -u XDG_CONFIG_HOME HOME="$roothome" lintrel >/dev/null 2>&1 &
    pid=$!
    answer_charset
    close_without_message "$pid" "run by root ends with no message"
    check "run by root, nothing is written beside the program" \
        test -z "$(ls /usr/bin/*.ini 2>/dev/null)"
    check "its settings are kept in root's ~/.config/lintrel" \
        grep -q Default.txt "$roothome/.config/lintrel/FileSettings.ini"
fi

DEBIAN_FRONTEND=noninteractive apt-get remove -y lintrel >/dev/null 2>&1
check "apt removes it" test ! -e /usr/bin/lintrel -a ! -e /usr/share/applications/org.lintrel.Lintrel.desktop
check "and nothing of it is left" test -z "$(dpkg -L lintrel 2>/dev/null | grep -v '^/\.$' || true)"
finish
