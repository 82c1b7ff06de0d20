#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a window test program where a screen reader could listen: on a session bus of its own
# with the accessibility bus started on it, so that Qt tells the accessibility events that the
# tests compare (LINTREL_TEST_SCREEN_READER makes them insist on being heard). Run it on a
# display, as under tests/on_xvfb.sh.
#
#   tests/with_screen_reader.sh PROGRAM [ARGUMENT...]
set -euo pipefail
exec dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    trap "kill $launcher 2>/dev/null || true" EXIT
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LINTREL_TEST_SCREEN_READER=1 "$@"
' bash "$@"
