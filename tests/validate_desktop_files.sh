#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry (as installed) and the AppStream metainfo validate without errors.
set -euo pipefail
data=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed 's|@LINTREL_EXEC@|/opt/lintrel/bin/lintrel|; s|@LINTREL_TRY_EXEC@|/opt/lintrel/bin/lintrel|' \
    "$data/org.lintrel.Lintrel.desktop.in" >"$work/org.lintrel.Lintrel.desktop"
# Every placeholder replaced, as the install replaces them.
if grep -n '@[A-Z_]*@' "$work/org.lintrel.Lintrel.desktop"; then
    echo "FAILED: a placeholder left in the desktop entry"
    exit 1
fi
desktop-file-validate "$work/org.lintrel.Lintrel.desktop"
appstreamcli validate --no-net "$data/org.lintrel.Lintrel.metainfo.xml"
echo "desktop entry and metainfo valid"
