#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures Lintrel on generated note files side by side with tools anyone has, and prints one
# Markdown table per measurement; a complete run also writes them into docs/PERFORMANCE.md,
# below its introduction. Builds the benchmarks first (build-bench/, optimised).
#
#   bench/compare.sh            five runs of each measurement, medians shown
#   RUNS=9 bench/compare.sh     more runs
#
# The files are made in a temporary folder, one large file at a time, and read once before
# they are measured, so that every tool reads them from the page cache.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test >/dev/null

runs=${RUNS:-5}
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINTREL_BENCHMARKS=ON \
    -DLINTREL_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
bin=$PWD/$build/bench

tmp=$(mktemp -d)
# The huge-page setting, which root may switch for one table, is put back at the end.
thp=/sys/kernel/mm/transparent_hugepage/enabled
thp_was=$(sed 's/.*\[\(.*\)\].*/\1/' "$thp" 2>/dev/null || echo unknown)
trap '[ -w "$thp" ] && echo "$thp_was" >"$thp"; rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The median, in milliseconds, of $runs runs of a command (its output dropped).
median_ms() {
    local times=() start end
    for ((i = 0; i < runs; i++)); do
        start=$EPOCHREALTIME
        "$@" >/dev/null 2>&1 || true
        end=$EPOCHREALTIME
        times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", (e - s) * 1000 }')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

# Named columns of the median row of a Google Benchmark CSV report.
# usage: csv_median REPORT NAME COLUMN...
csv_median() {
    local report=$1 name=$2
    shift 2
    awk -F, -v name="${name}_median" -v cols="$*" '
        NR == 1 { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); col[$i] = i }; next }
        { gsub(/"/, "") }
        $1 == name { n = split(cols, c, " "); for (i = 1; i <= n; i++) printf "%s ", $(col[c[i]]); print "" }
    ' "$report"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
fmt() { awk -v v="$1" 'BEGIN { printf "%.1f", v }'; }

warm() { cat "$@" >/dev/null; }

tables=$tmp/tables.md
{

echo "## Machine"
echo
echo "- CPU: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) cores"
echo "- Memory: $(free -g | awk '/^Mem:/ { print $2 }') GiB; kernel $(uname -r)"
echo "- Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo '?'), $(g++ --version | head -1)"
echo "- $(wc --version | head -1), $(shuf --version | head -1); $runs runs, medians"
echo

echo "## Loading a note file"
echo
echo "| File | Notes | Load (ms) | wc -l (ms) | Load / wc -l | shuf -n 1 (ms) | Load / shuf | \`lintrel --print\` (ms) | Print / shuf | Peak memory / size |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
load_row() {
    local label=$1 kind=$2 size=$3 setting=${4:-}
    local file=$tmp/$kind-$size.txt
    "$bin/generate_notes" "$kind" "$size" "$file"
    warm "$file"
    local wc_ms shuf_ms load
    wc_ms=$(median_ms wc -l "$file")
    shuf_ms=$(median_ms shuf -n 1 "$file")
    warm "$file"
    local args=("$file")
    [ -n "$setting" ] && args+=("$setting")
    "$bin/load_bench" "${args[@]}" --benchmark_repetitions="$runs" \
        --benchmark_report_aggregates_only=true --benchmark_format=csv >"$tmp/load.csv" 2>/dev/null
    read -r load_ms notes peak <<<"$(csv_median "$tmp/load.csv" Load real_time label peak_memory_per_byte)"
    # A random note printed in a terminal, the whole program started and ended.
    local print_args=(--print)
    [ -n "$setting" ] && print_args+=(--separator "$setting")
    local print_ms
    print_ms=$(median_ms env -u DISPLAY -u WAYLAND_DISPLAY "$PWD/$build/lintrel" "${print_args[@]}" "$file")
    printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s | %.3f |\n' "$label" "$notes" \
        "$(fmt "$load_ms")" "$(fmt "$wc_ms")" "$(ratio "$load_ms" "$wc_ms")" "$(fmt "$shuf_ms")" \
        "$(ratio "$load_ms" "$shuf_ms")" "$(fmt "$print_ms")" "$(ratio "$print_ms" "$shuf_ms")" "$peak"
    [ "$size" = 100M ] && [ "$kind" = lines ] && return  # kept for the start-up measurement
    rm -f "$file" "${file%.*}.ltrsep"
}
load_row "1 MB, a note per line" lines 1M
load_row "100 MB, a note per line" lines 100M
load_row "1 GB, a note per line" lines 1G
load_row "1 GB, separator file" sepfile 1G
load_row "1 GB, separator setting ##" setting 1G "##"
# The worst case of a search whose cost grows with the separator: a 64 MB line of one byte and
# a separator setting of 32767 characters that almost matches everywhere.
worst=$tmp/worst-64M.txt
head -c 64M /dev/zero | tr '\0' a >"$worst"
long=$(head -c 16000 /dev/zero | tr '\0' a)b$(head -c 16766 /dev/zero | tr '\0' a)
warm "$worst"
"$bin/load_bench" "$worst" "$long" --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv >"$tmp/load.csv" 2>/dev/null
worst_ms=$(csv_median "$tmp/load.csv" Load real_time)
wc_ms=$(median_ms wc -l "$worst")
printf '| 64 MB in one line, a 32767-character separator setting | 0 | %s | %s | %s | - | - | - | - | - |\n' \
    "$(fmt "$worst_ms")" "$(fmt "$wc_ms")" "$(ratio "$worst_ms" "$wc_ms")"
rm -f "$worst"
echo

echo "## A gigabyte in one note (Unix line ends), by the system's huge-page setting"
echo
# Root may switch the setting for the run; otherwise the row of the setting the system has.
thp_settings=("$thp_was")
[ -w "$thp" ] && thp_settings=(always madvise never)
unix=$tmp/unix-1G.txt
"$bin/generate_notes" lines 1G "$tmp/lines-unix.txt"
tr -d '\r' <"$tmp/lines-unix.txt" >"$unix"
rm -f "$tmp/lines-unix.txt"
echo "| transparent_hugepage/enabled | Load (ms) | read() into one buffer (ms) | Load / read() |"
echo "|---|---:|---:|---:|"
for setting in "${thp_settings[@]}"; do
    [ -w "$thp" ] && echo "$setting" >"$thp"
    warm "$unix"
    "$bin/load_bench" "$unix" --benchmark_repetitions="$runs" \
        --benchmark_report_aggregates_only=true --benchmark_format=csv >"$tmp/load.csv" 2>/dev/null
    load_ms=$(csv_median "$tmp/load.csv" Load real_time)
    read_ms=$(median_ms "$bin/plain_read" "$unix")
    echo "| $setting | $(fmt "$load_ms") | $(fmt "$read_ms") | $(ratio "$load_ms" "$read_ms") |"
done
[ -w "$thp" ] && echo "$thp_was" >"$thp"
rm -f "$unix"
echo

echo "## A screen reader reading about a megabyte word by word (us per question)"
echo
"$bin/reader_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$tmp/reader.csv" 2>/dev/null
echo "| Note | Note box | Text box |"
echo "|---|---:|---:|"
for note in "1 MB in one paragraph" "1 MB in lines of 12 words" "1 MB in lines of 30 words"; do
    # Three questions an iteration.
    per() { awk -v t="$(csv_median "$tmp/reader.csv" "$note/$1" real_time)" 'BEGIN { printf "%.1f", t / 3 }'; }
    echo "| $note | $(per "note box") | $(per "text box") |"
done
echo

echo "## Byte scans on a 128 KiB piece: 32-byte against 16-byte (us)"
echo
echo "| Scan | 32-byte | 16-byte |"
echo "|---|---:|---:|"
"$bin/scan_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$tmp/scan.csv" 2>/dev/null
for scan in CountByte HasLoneCr CountSeparator CountFrequentSeparator; do
    echo "| $scan | $(fmt "$(csv_median "$tmp/scan.csv" "BM_$scan/32" real_time)") |" \
        "$(fmt "$(csv_median "$tmp/scan.csv" "BM_$scan/16" real_time)") |"
done
echo

echo "## Find in a 256 MB one-line note that does not hold the text (ms)"
echo
echo "| Text and note | Find | Reading the note once |"
echo "|---|---:|---:|"
"$bin/search_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$tmp/search.csv" 2>/dev/null
reading=$(fmt "$(csv_median "$tmp/search.csv" BM_Reading real_time)")
for row in "AsciiText:ASCII text, ASCII note" "TextBeyondAscii:text beyond ASCII, ASCII note" \
    "AsciiTextInAccentedNote:ASCII text, a letter beyond ASCII in every word"; do
    echo "| ${row#*:} | $(fmt "$(csv_median "$tmp/search.csv" "BM_${row%%:*}" real_time)") | $reading |"
done
echo

echo "## The held text's buffer: realloc against std::string"
echo
echo "A note as large as the file is held whole; NoteCutter grows it with realloc."
echo
for size in 100 1024; do
    for kind in realloc string; do
        echo "- $("$bin/buffer_bench" "$kind" "$size")"
    done
done
echo

echo "## Start-up with the 100 MB file, offscreen, through the first paint"
echo
file=$tmp/lines-100M.txt
warm "$file"
startup_ms=$(median_ms "$bin/startup_bench" "$file")
bare_ms=$(median_ms "$bin/bare_window")
wc_ms=$(median_ms wc -l "$file")
budget=$(awk -v b="$bare_ms" -v w="$wc_ms" 'BEGIN { print b + 2 * w }')
echo "| Lintrel start-up (ms) | Bare Qt window (ms) | wc -l (ms) | Bare + 2 x wc -l (ms) |"
echo "|---:|---:|---:|---:|"
echo "| $(fmt "$startup_ms") | $(fmt "$bare_ms") | $(fmt "$wc_ms") | $(fmt "$budget") |"
rm -f "$file"
echo

echo "## Showing a 10 MB note"
echo
single=$tmp/single-10M.txt
"$bin/generate_notes" single 10M "$single"
"$bin/window_bench" "$single" --benchmark_filter='ShowLongNote|BareSetPlainText' \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$tmp/show.csv" 2>/dev/null
show_ms=$(csv_median "$tmp/show.csv" ShowLongNote real_time)
bare_ms=$(csv_median "$tmp/show.csv" BareSetPlainText real_time)
echo "| Text1 shows the note (ms) | Bare setPlainText (ms) | Ratio |"
echo "|---:|---:|---:|"
echo "| $(fmt "$show_ms") | $(fmt "$bare_ms") | $(ratio "$show_ms" "$bare_ms") |"
echo

echo "## Showing a 10 MB note in one line, beside the same bytes in short lines"
echo
tr -d '\r\n' <"$single" >"$tmp/one-line-10M.txt"
for note in single-10M one-line-10M; do
    "$bin/window_bench" "$tmp/$note.txt" --benchmark_filter='ShowLongNote' \
        --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
        --benchmark_format=csv >"$tmp/$note.csv" 2>/dev/null
done
lines_ms=$(csv_median "$tmp/single-10M.csv" ShowLongNote real_time)
one_ms=$(csv_median "$tmp/one-line-10M.csv" ShowLongNote real_time)
echo "| Short lines (ms) | One line (ms) | One line later by (ms) |"
echo "|---:|---:|---:|"
echo "| $(fmt "$lines_ms") | $(fmt "$one_ms") |" \
    "$(fmt "$(awk -v a="$one_ms" -v b="$lines_ms" 'BEGIN { print a - b }')") |"
rm -f "$tmp/one-line-10M.txt"
echo

echo "## Every key on a note of a gigabyte, the caret put in its middle by a click"
echo
"$bin/keys_bench" --benchmark_format=csv >"$tmp/keys.csv" 2>/dev/null
echo "| Key | One line: mean of 5 (ms) | slowest (ms) | Short lines: mean of 5 (ms) | slowest (ms) |"
echo "|---|---:|---:|---:|---:|"
awk -F, '
    NR == 1 { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); col[$i] = i }; next }
    { gsub(/"/, ""); split($1, part, "/"); key = part[2]
      if (!(key in seen)) { seen[key] = 1; order[++n] = key }
      t[part[1], key] = sprintf("%.2f | %.2f", $(col["real_time"]), $(col["worst_ms"])) }
    END { for (i = 1; i <= n; i++)
        printf "| %s | %s | %s |\n", order[i], t["1 GB in one line", order[i]],
            t["1 GB in short lines", order[i]] }
' "$tmp/keys.csv"
echo

echo "## Moving between notes"
echo
"$bin/window_bench" "$single" --benchmark_filter='Across|Random|Find' \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$tmp/move.csv" 2>/dev/null
echo "| Command | Notes passed | Time (us) |"
echo "|---|---:|---:|"
for run in 1000 30000 1000000; do
    for command in Next Previous; do
        t=$(csv_median "$tmp/move.csv" "BM_${command}AcrossBlanks/$run" real_time)
        echo "| $command across $run blank notes | $((run < 32766 ? run : 32766)) | $(fmt "$t") |"
    done
done
t=$(csv_median "$tmp/move.csv" BM_ShowRandomLine real_time)
echo "| Random note out of 10 000 000 | - | $(fmt "$t") |"
t=$(csv_median "$tmp/move.csv" BM_FindNothing real_time)
echo "| Find a text no note holds, out of 1 000 000 notes | 32767 | $(fmt "$(awk -v t="$t" 'BEGIN { print t * 1000 }')") |"
t=$(csv_median "$tmp/move.csv" BM_ShowRandomLineAllShowableBlank real_time)
echo "| Random out of 10 000 000, the 32767 showable ones blank (10 000 001 draws) | - | $(fmt "$(awk -v t="$t" 'BEGIN { print t * 1000 }')") |"
echo

echo "## The real program under Xvfb with openbox"
echo
bench/blackbox.sh "$build"
} | tee "$tables"

# The introduction stays; the date and the tables are this run's.
performance=docs/PERFORMANCE.md
intro=$(sed '/^## Machine$/,$d' "$performance" | sed "s/^Measured on [0-9-]*/Measured on $(date +%F)/")
{
    printf '%s\n\n' "$intro"
    cat "$tables"
} >"$performance"
echo "written to $performance"
