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
# The metainfo's releases are the changelog's, version and day.
changelog=$(sed -n 's/^## \([0-9][0-9.]*\) - \([0-9-]*\)$/\1 \2/p' "$data/../CHANGELOG.md")
metainfo=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' \
    "$data/org.lintrel.Lintrel.metainfo.xml")
if [ -z "$changelog" ] || [ "$changelog" != "$metainfo" ]; then
    printf 'FAILED: releases in CHANGELOG.md:\n%s\nin the metainfo:\n%s\n' "$changelog" "$metainfo"
    exit 1
fi
# The version set in CMakeLists.txt is the newest release of both.
version=$(sed -n 's/^project(Lintrel VERSION \([0-9.]*\) .*/\1/p' "$data/../CMakeLists.txt")
if [ "$(head -n 1 <<<"$changelog" | cut -d' ' -f1)" != "$version" ]; then
    printf 'FAILED: the version is %s, the newest release %s\n' "$version" "$(head -n 1 <<<"$changelog")"
    exit 1
fi
# No address the project does not own.
if grep -n 'https\?://' "$data/org.lintrel.Lintrel.metainfo.xml" "$data/../README.md"; then
    echo "FAILED: an address in the metainfo or the README"
    exit 1
fi
echo "desktop entry and metainfo valid"
