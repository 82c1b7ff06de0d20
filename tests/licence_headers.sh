#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source, build and script file of the repository names its licence.
set -euo pipefail
cd "$1"
missing=$(git ls-files | grep -E '\.(cpp|h|h\.in|sh|cmake)$|CMakeLists\.txt$|^\.ci/run$|^scripts/' |
    while IFS= read -r f; do head -n 3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$f"; done)
if [ -n "$missing" ]; then
    echo "no licence line in:"
    echo "$missing"
    exit 1
fi
echo "1 passed, 0 failed"
