#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The start-up benchmark. Builds the program as the Debian package does (scripts/package.sh:
# dpkg-buildflags, hardening included) into build-release/, installs it stripped into a temporary
# prefix, and under its own Xvfb starts it as the player does, through the installed launcher
# bin/ketamori (which prepares the data folder and refreshes the help file first), with data
# folders of 0, 32,766 and 1,000,000 history records and one of 1,000,000 records with a drill
# log of a detail for every line; the program at 0 records once more without its launcher; and a
# bare Qt window of the same size, started directly. All interleaved, timing exec to mapped
# window.
# Prints one table: start-up (median) and its ratio to the bare window, resident memory after the
# map and its difference, parse throughput (the bytes in memory, and the file read from disk
# cache), one Save (the history line and the drill log's detail), the first Save made as soon as
# the window is on screen (it waits for the drill log being opened ahead), one jump of the table
# to a far row, the CPU time of the first 2 s after the map (all threads: the drill log's opening
# shows there) and idle CPU over the 30 s after that.
# Usage: scripts/bench.sh [RUNS]   (RUNS start-ups of each, default 21)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build-release
runs=${1:-21}
sizes=(0 32766 1000000)
# The data folders: one per history size, and "log", the 1,000,000 records with a drill log.
folders=("${sizes[@]}" log)

"$here/scripts/install-packages.sh" bench
"$here/scripts/setup.sh" "$build" -DKETAMORI_DEBIAN_FLAGS=ON -DKETAMORI_BENCH=ON \
    -DBUILD_TESTING=OFF >/dev/null
bare=$build/bench/bare_window
watch=$build/bench/window_watch
records=$build/bench/bench_records
drilllog=$build/bench/bench_drilllog

work=$(mktemp -d)
xvfb_pid=
bus_pid=
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Installed as the package installs it: stripped, the launcher in bin/, the program in libexec/.
cmake --install "$build" --prefix "$work/usr" --strip >/dev/null
launcher=$work/usr/bin/ketamori
program=$(find "$work/usr/libexec" -type f -name ketamori)

# Each folder is the data folder the launcher makes in XDG_DATA_HOME=$work/home-<folder>.
data_of() { echo "$work/home-$1/ketamori"; }
for n in "${sizes[@]}"; do
    mkdir -p "$(data_of "$n")"
    printf '5,5,1\r\n' >"$(data_of "$n")/設定.txt"
    "$records" generate "$n" "$(data_of "$n")/履歴.txt"
done
mkdir -p "$(data_of log)"
cp "$(data_of 1000000)"/* "$(data_of log)/"
"$drilllog" make "$(data_of log)" >/dev/null
# The program started directly gets the folder the launcher would have made for it.
mkdir -p "$(data_of direct)"
cp "$(data_of 0)"/* "$(find "$work/usr/share/ketamori" -name "*.chm")" "$(data_of direct)/"

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
# A session bus of our own, as every desktop has. Without one, each program measured would have
# the D-Bus library start dbus-launch to look for one (Qt's accessibility asks for the bus): some
# 10 ms of every start-up that no player's start has.
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
bus_pid=$(tr -d '\n' <"$work/bus.pid")
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

# One start of a program of the list below, "$watch" and its options given first: the bare
# window, the program started directly in its data folder, or the launcher with XDG_DATA_HOME
# set to the folder's home. Each has a folder of its own, as all of them run at once below.
watch_one() {
    local p=$1
    shift
    case $p in
    bare) (cd "$(data_of 0)" && exec "$@" "$bare") ;;
    direct) (cd "$(data_of direct)" && exec "$@" "$program") ;;
    *) (cd "$work" && XDG_DATA_HOME=$work/home-$p exec "$@" "$launcher") ;;
    esac
}

# One start-up, appending "ms rss_kb" to the program's results file.
start_one() {
    local p=$1 line
    line=$(watch_one "$p" "$watch" -- 2>"$work/watch.err" | head -n 1) || true
    if [ -z "$line" ]; then
        echo "bench: $p did not show its window:" >&2
        cat "$work/watch.err" >&2
        exit 1
    fi
    line=${line#startup_ms=}
    echo "${line% rss_kb=*} ${line#* rss_kb=}" >>"$work/$p.runs"
}

programs=(bare direct "${folders[@]}")

# One warm-up start each (disk cache, font cache), then the rounds, each in a rotated order so
# no program always follows the same one.
for p in "${programs[@]}"; do
    watch_one "$p" "$watch" -- >/dev/null 2>&1 || true
done
for ((r = 0; r < runs; r++)); do
    for ((k = 0; k < ${#programs[@]}; k++)); do
        start_one "${programs[$(((k + r) % ${#programs[@]}))]}"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for p in "${programs[@]}"; do
    [ "$(wc -l <"$work/$p.runs")" -eq "$runs" ] || { echo "bench: $p did not start" >&2; exit 1; }
    cut -d' ' -f1 "$work/$p.runs" | median >"$work/$p.ms"
    cut -d' ' -f2 "$work/$p.runs" | median >"$work/$p.rss"
done

# In-process figures: parse throughput and Saves (on a copy: Save adds lines).
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$2"; }
for f in "${folders[@]}"; do
    if [ "$f" != 0 ] && [ "$f" != log ]; then
        "$records" parse "$(data_of "$f")/履歴.txt" >"$work/$f.parsed"
        field parse_mb_s "$work/$f.parsed" >"$work/$f.parse"
        field read_mb_s "$work/$f.parsed" >"$work/$f.read"
    else
        echo "-" >"$work/$f.parse"
        echo "-" >"$work/$f.read"
    fi
    cp -r "$(data_of "$f")" "$work/save-$f"
    QT_QPA_PLATFORM=offscreen "$records" save "$work/save-$f" 2>/dev/null >"$work/$f.saved"
    rm -rf "$work/save-$f"
    for what in first_save save scroll; do
        field ${what}_ms "$work/$f.saved" >"$work/$f.$what"
    done
done

# The first seconds and idle CPU: every program shown at once, started one after the other,
# each measured over the 2 s after its map and then left alone 30 s.
for p in "${programs[@]}"; do
    watch_one "$p" "$watch" --idle 30 -- >"$work/$p.idle" 2>&1 &
    for _ in $(seq 600); do
        grep -q startup_ms "$work/$p.idle" 2>/dev/null && break
        sleep 0.05
    done
done
wait $(jobs -p | grep -v "^$xvfb_pid\$") 2>/dev/null || true

idle_of() { sed -n 's/idle_cpu_pct=//p' "$work/$1.idle"; }
early_of() { sed -n 's/early_cpu_ms=//p' "$work/$1.idle"; }
echo
echo "Start-up benchmark: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"
echo "median of $runs interleaved start-ups each, load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
echo
{
    echo "bare $(cat "$work/bare.ms") $(cat "$work/bare.rss") $(early_of bare) $(idle_of bare)"
    echo "direct $(cat "$work/direct.ms") $(cat "$work/direct.rss") $(early_of direct) $(idle_of direct)"
    for f in "${folders[@]}"; do
        echo "$f $(cat "$work/$f.ms") $(cat "$work/$f.rss") $(early_of "$f") $(idle_of "$f")" \
            "$(cat "$work/$f.parse") $(cat "$work/$f.read") $(cat "$work/$f.save")" \
            "$(cat "$work/$f.first_save") $(cat "$work/$f.scroll")"
    done
} | awk '
    function thousands(n,   s) { s = sprintf("%d", n); while (s ~ /[0-9][0-9][0-9][0-9]/) sub(/[0-9][0-9][0-9]($|,)/, ",&", s); return s }
    function common(name) {
        printf "| %s | %.1f ms | %.2f | %.1f MiB | %+.1f MiB |", name, $2, $2 / ms, $3 / 1024, ($3 - rss) / 1024
    }
    BEGIN {
        print "| program | start-up | × bare | RSS after map | − bare | parse | read | one Save | first Save | scroll | CPU 0–2 s after map | idle CPU (30 s) |"
        print "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    }
    $1 == "bare" {
        ms = $2; rss = $3
        printf "| bare Qt window 631×452, started directly | %.1f ms | 1.00 | %.1f MiB | | | | | | | %s ms | %s %% |\n", $2, $3 / 1024, $4, $5
        next
    }
    $1 == "direct" {
        common("ケタモリ！ itself without the launcher, 0 records")
        printf " | | | | | %s ms | %s %% |\n", $4, $5
        next
    }
    {
        name = ($1 == "log") ? "1,000,000 records and a drill log of 1,000,000 drills" : thousands($1) " records"
        common("ケタモリ！ through its launcher, " name)
        parse = ($6 == "-") ? "" : $6 " MB/s"
        read = ($7 == "-") ? "" : $7 " MB/s"
        printf " %s | %s | %s ms | %s ms | %s ms | %s ms | %s %% |\n", parse, read, $8, $9, $10, $4, $5
    }'
