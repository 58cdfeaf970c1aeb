#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The start-up benchmark. Builds Release into build-release/, makes histories of 0, 32,766 and
# 1,000,000 records in a temporary data folder each, and under its own Xvfb starts the program
# and a bare Qt window of the same size the same way, interleaved, timing exec to mapped window.
# Prints one table: start-up (median) and its ratio to the bare window, resident memory after the
# map and its difference, parse throughput (the bytes in memory, and the file read from disk
# cache), one Save, one jump of the table to a far row, idle CPU over 30 s.
# Usage: scripts/bench.sh [RUNS]   (RUNS start-ups of each, default 21)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build-release
runs=${1:-21}
sizes=(0 32766 1000000)

"$here/scripts/install-packages.sh" bench
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DKETAMORI_BENCH=ON \
    -DBUILD_TESTING=OFF >/dev/null
app=$build/app/ketamori
bare=$build/bench/bare_window
watch=$build/bench/window_watch
records=$build/bench/bench_records

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for n in "${sizes[@]}"; do
    mkdir -p "$work/$n"
    printf '5,5,1\r\n' >"$work/$n/設定.txt"
    "$records" generate "$n" "$work/$n/履歴.txt"
done

# An X server of our own, on the first free display number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 3>"$work/display" &
xvfb_pid=$!
for _ in $(seq 600); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$work/display")
export QT_QPA_PLATFORM=xcb

# One start-up: which program, in which data folder; appends "ms rss_kb" to its results file.
start_one() {
    local name=$1 dir=$2 prog=$3 line
    line=$(cd "$dir" && "$watch" -- "$prog" 2>"$work/watch.err" | head -n 1) || true
    if [ -z "$line" ]; then
        echo "bench: $name did not show its window:" >&2
        cat "$work/watch.err" >&2
        exit 1
    fi
    line=${line#startup_ms=}
    echo "${line% rss_kb=*} ${line#* rss_kb=}" >>"$work/$name.runs"
}

programs=(bare "${sizes[@]}")
prog_of() { [ "$1" = bare ] && echo "$bare" || echo "$app"; }
dir_of() { [ "$1" = bare ] && echo "$work/0" || echo "$work/$1"; }

# One warm-up start each (disk cache, font cache), then the rounds, each in a rotated order so
# no program always follows the same one.
for p in "${programs[@]}"; do
    (cd "$(dir_of "$p")" && "$watch" -- "$(prog_of "$p")" >/dev/null 2>&1) || true
done
for ((r = 0; r < runs; r++)); do
    for ((k = 0; k < ${#programs[@]}; k++)); do
        p=${programs[$(((k + r) % ${#programs[@]}))]}
        start_one "$p" "$(dir_of "$p")" "$(prog_of "$p")"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for p in "${programs[@]}"; do
    [ "$(wc -l <"$work/$p.runs")" -eq "$runs" ] || { echo "bench: $p did not start" >&2; exit 1; }
    cut -d' ' -f1 "$work/$p.runs" | median >"$work/$p.ms"
    cut -d' ' -f2 "$work/$p.runs" | median >"$work/$p.rss"
done

# In-process figures: parse throughput and one Save (on a copy: Save adds lines).
for n in "${sizes[@]}"; do
    if [ "$n" -gt 0 ]; then
        "$records" parse "$work/$n/履歴.txt" >"$work/$n.parsed"
        sed 's/.*parse_mb_s=\([0-9]*\).*/\1/' "$work/$n.parsed" >"$work/$n.parse"
        sed 's/.*read_mb_s=\([0-9]*\).*/\1/' "$work/$n.parsed" >"$work/$n.read"
    else
        echo "-" >"$work/$n.parse"
        echo "-" >"$work/$n.read"
    fi
    cp -r "$work/$n" "$work/save-$n"
    QT_QPA_PLATFORM=offscreen "$records" save "$work/save-$n" 2>/dev/null >"$work/$n.saved"
    sed 's/.*save_ms=\([0-9.]*\).*/\1/' "$work/$n.saved" >"$work/$n.save"
    sed 's/.*scroll_ms=\([0-9.]*\).*/\1/' "$work/$n.saved" >"$work/$n.scroll"
done

# Idle CPU: every program shown at once, started one after the other, then left alone 30 s.
for p in "${programs[@]}"; do
    (cd "$(dir_of "$p")" && exec "$watch" --idle 30 -- "$(prog_of "$p")" >"$work/$p.idle" 2>&1) &
    for _ in $(seq 600); do
        grep -q startup_ms "$work/$p.idle" 2>/dev/null && break
        sleep 0.05
    done
done
wait $(jobs -p | grep -v "^$xvfb_pid\$") 2>/dev/null || true

idle_of() { sed -n 's/idle_cpu_pct=//p' "$work/$1.idle"; }
echo
echo "Start-up benchmark: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"
echo "median of $runs interleaved start-ups each, load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
echo
{
    echo "bare $(cat "$work/bare.ms") $(cat "$work/bare.rss") - - $(idle_of bare)"
    for n in "${sizes[@]}"; do
        echo "$n $(cat "$work/$n.ms") $(cat "$work/$n.rss") $(cat "$work/$n.parse") $(cat "$work/$n.save") $(idle_of "$n") $(cat "$work/$n.read") $(cat "$work/$n.scroll")"
    done
} | awk '
    function thousands(n,   s) { s = sprintf("%d", n); while (s ~ /[0-9][0-9][0-9][0-9]/) sub(/[0-9][0-9][0-9]($|,)/, ",&", s); return s }
    BEGIN {
        print "| program | start-up | × bare | RSS after map | − bare | parse | read | one Save | scroll | idle CPU (30 s) |"
        print "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    }
    $1 == "bare" {
        ms = $2; rss = $3
        printf "| bare Qt window 631×452 | %.1f ms | 1.00 | %.1f MiB | | | | | | %s %% |\n", $2, $3 / 1024, $6
        next
    }
    {
        parse = ($4 == "-") ? "" : $4 " MB/s"
        read = ($7 == "-") ? "" : $7 " MB/s"
        printf "| ケタモリ！, %s records | %.1f ms | %.2f | %.1f MiB | %+.1f MiB | %s | %s | %s ms | %s ms | %s %% |\n", thousands($1), $2, $2 / ms, $3 / 1024, ($3 - rss) / 1024, parse, read, $5, $8, $6
    }'
