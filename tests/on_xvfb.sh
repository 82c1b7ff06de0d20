#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a window test program on a display of its own under Xvfb, on Qt's xcb platform: for the
# checks that Qt's offscreen platform cannot make (the primary selection).
#
#   tests/on_xvfb.sh PROGRAM [ARGUMENT...]
set -euo pipefail
source "$(dirname "$0")/e2e/lib.sh"
start_display
LINTREL_TEST_PLATFORM=xcb "$@"
