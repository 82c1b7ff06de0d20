#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The test command installs what it calls: every program named in the scripts the test
# command runs must come from a package that `install-deps.sh --test` names, from one of
# their dependencies, or from the packages every Debian system has (essential or required).
# A program from anywhere else (another package, or none) would be missing on a fresh machine.
#
#   tests/test_command_packages.sh SOURCE-DIR
set -euo pipefail
src=$(cd "$1" && pwd)
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin

named=$(sed -n '/^packages=(/,/^fi$/p' "$src/scripts/install-deps.sh" |
    sed 's/#.*//; s/packages+\{0,1\}=(//; s/[()]//g' | tr -s ' \t' '\n\n' |
    grep -E '^[a-z0-9][a-z0-9.+-]+$' | grep -vE '^(if|then|fi|test)$' || true)
if [ -z "$named" ]; then
    echo "FAILED: found no package list in scripts/install-deps.sh"
    exit 1
fi

# The packages that may provide a program: the named ones and what they depend on, and the
# essential and required ones with theirs.
allowed=$(dpkg-query -W -f='${Package}\t${Essential}\t${Priority}\t${Provides}\t${Pre-Depends}, ${Depends}\n' |
    awk -F'\t' -v named="$(tr '\n' ' ' <<<"$named")" '
    function names(list, out,   n, parts, i, alt, m, j, name) {
        n = split(list, parts, /[,|]/)
        for (i = 1; i <= n; i++) {
            name = parts[i]
            sub(/\(.*/, "", name); gsub(/[ \t]/, "", name); sub(/:.*/, "", name)
            if (name != "") out[name] = 1
        }
    }
    {
        pkg = $1; deps[pkg] = $5
        split("", provided); names($4, provided)
        for (v in provided) providers[v] = providers[v] " " pkg
        if ($2 == "yes" || $3 == "required") queue[++tail] = pkg
    }
    END {
        split(named, first, " ")
        for (i in first) queue[++tail] = first[i]
        for (head = 1; head <= tail; head++) {
            p = queue[head]
            if (p in seen) continue
            seen[p] = 1
            if (p in providers) { m = split(providers[p], alts, " "); for (j = 1; j <= m; j++) queue[++tail] = alts[j] }
            split("", d); names(deps[p], d)
            for (q in d) queue[++tail] = q
        }
        for (p in seen) print p
    }')

# Every word at the start of a command, or after a pipe, `&&`, `||`, `$(`, `exec`, `env` and
# the like, that names a program on the PATH: over-inclusive on purpose (a word that merely
# looks like a program is checked too), never missing one.
scripts=$(cd "$src" && ls scripts/test.sh scripts/tidy.sh scripts/fuzz.sh scripts/run.sh \
    tests/*.sh tests/e2e/*.sh tests/CMakeLists.txt)
words=$(cd "$src" && sed 's/^\s*#.*//; s/\s#\s.*//' $scripts | tr -c 'A-Za-z0-9_.+-' '\n' |
    grep -E '^[A-Za-z][A-Za-z0-9_.+-]*$' | sort -u)
# Words that name a program somewhere but stand in these scripts as words only.
not_programs=" editor opt time "
declare -A path_of
for word in $words; do
    [[ $not_programs == *" $word "* ]] && continue
    path_of[$word]=$(type -P "$word" 2>/dev/null) || unset "path_of[$word]"
done
# One look-up for all: the packages that own each path, as it stands and merged into /usr.
declare -A owner_of
while IFS= read -r line; do
    for path in ${line#*: }; do owner_of[$path]=${line%%:*}; done
done < <(for path in "${path_of[@]}"; do
    real=$(readlink -f "$path")
    printf '%s\n' "$path" "$real" "${real#/usr}" "/usr$path"
done | sort -u | xargs dpkg-query -S 2>/dev/null | sed 's/, [^:]*:/:/')
failures=0
checked=0
for word in "${!path_of[@]}"; do
    path=${path_of[$word]}
    real=$(readlink -f "$path")
    owner=""
    for candidate in "$path" "$real" "${real#/usr}" "/usr$path"; do
        owner=${owner_of[$candidate]:-}
        [ -n "$owner" ] && break
    done
    checked=$((checked + 1))
    if [ -z "$owner" ]; then
        echo "FAILED: $word ($path) comes from no Debian package"
        failures=$((failures + 1))
    elif ! grep -qx "$owner" <<<"$allowed"; then
        echo "FAILED: $word comes from $owner, which install-deps.sh --test does not install"
        failures=$((failures + 1))
    fi
done
echo "$checked programs named in the test scripts, $failures not installed by install-deps.sh --test"
[ "$failures" -eq 0 ]
