#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The hand-kept manual page and --help name the same options, and the page formats without a
# warning.
#
#   tests/manual_page.sh LINTREL MANUAL-PAGE
set -euo pipefail
options() { grep -oE -- '--[a-z]+' | sort -u; }
help=$("$1" --help | options)
page=$(sed 's/\\-/-/g' "$2" | options)
if [ "$help" != "$page" ]; then
    printf 'FAILED: --help names:\n%s\nthe manual page names:\n%s\n' "$help" "$page"
    exit 1
fi
warnings=$(sed 's/@[A-Z_]*@/x/g' "$2" | groff -man -ww -z 2>&1 || true)
if [ -n "$warnings" ]; then
    printf 'FAILED: the manual page formats with warnings:\n%s\n' "$warnings"
    exit 1
fi
echo "the manual page names the options of --help: $(tr '\n' ' ' <<<"$help")"
