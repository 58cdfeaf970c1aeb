#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program in a real X server (Xvfb) on a history of some weeks, clicks a row of
# the history table, opens its context menu with the Menu key and chooses 成績グラフ with its
# access key: the window must appear once. Screenshots of its rate chart, position chart and summary
# are kept; then Shift+F10 and 成績グラフ again must raise the same window, not open another.
# The window lies wholly on the screen and leaves the main window's top band (its buttons) free,
# and Escape closes it. Its title must be right for every window manager under LANG=C, where Qt's
# own conversion of it went wrong.
# Usage: stats_window.sh BINARY ARTIFACT_DIR   (run inside xvfb-run)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_search.sh"
export LANG=C LC_ALL=
bin=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Marks in code page 932: ○ 81 9B, × 81 7E, － 81 7C; 秒 95 62.
right=$'\x81\x9B'
wrong=$'\x81\x7E'
unused=$'\x81\x7C'
line() { # date time digits right-positions...
    local date=$1 time=$2 digits=$3
    shift 3
    local marks="" ok=0 i
    for ((i = 1; i <= 15; i++)); do
        if ((i > digits)); then
            marks+=$unused
        elif [[ " $* " == *" $i "* ]]; then
            marks+=$right
            ok=$((ok + 1))
        else
            marks+=$wrong
        fi
    done
    local tenths=$(((ok * 1000 + digits / 2) / digits))
    printf '"%s","%s","%s",%d,%d,"%d.%d%%","5\x95\x62"\r\n' "$date" "$time" "$marks" \
        "$ok" $((digits - ok)) $((tenths / 10)) $((tenths % 10))
}
{
    # Six weeks of seven-digit drills, getting better, the middle positions weakest.
    for day in $(seq 1 42); do
        date=$(date -d "2024-03-01 +$((day - 1)) days" +%Y/%m/%d)
        ((day % 3 == 0)) && line "$date" "17:30:00" 5 1 2 3 5
        for round in 1 2 3; do
            n=$(((day * 7 + round * 3) % 10))
            good="1 7"
            ((n < day / 6 + 4)) && good+=" 2"
            ((n < day / 8 + 3)) && good+=" 6"
            ((n < day / 9 + 1)) && good+=" 3 5"
            ((n < day / 14)) && good+=" 4"
            line "$date" "$(printf '%02d:%02d:00' $((18 + round)) $((day % 60)))" 7 $good
        done
    done
} >"$work/履歴.txt"
printf '7,5,1\r\n' >"$work/設定.txt"

(cd "$work" && exec "$bin") &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^ケタモリ！$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$win")"
mainX=$X mainY=$Y mainWidth=$WIDTH mainHeight=$HEIGHT
sleep 0.5

fail() {
    echo "FAIL: $*" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

# A cell of the table's top row: the table lies at 225,3225 twips inside Frame1 at 90,1305.
xdotool mousemove $((X + (90 + 225) / 15 + 150)) $((Y + (1305 + 3225) / 15 + 25)) click 1
sleep 0.3
xdotool key Menu
sleep 0.5
import -window root "$out/stats-menu.png"
xdotool key g
stats=$(wait_for_window '^成績グラフ$') || fail "no window 成績グラフ after Menu, g"
title_is "$stats" '成績グラフ' || fail "成績グラフ's title is wrong under LANG=$LANG"
sleep 1
import -window root "$out/stats-window.png"
screen=$(xdotool getdisplaygeometry)
read -r screenWidth screenHeight <<<"$screen"
eval "$(xdotool getwindowgeometry --shell "$stats")"
((X >= 0 && Y >= 0 && X + WIDTH <= screenWidth && Y + HEIGHT <= screenHeight)) ||
    fail "成績グラフ at ${X},${Y} ${WIDTH}x${HEIGHT} is not wholly on the ${screen// /x} screen"
# The main window's buttons stay free: 成績グラフ beside it, or at least below its top band.
if ((X < mainX + mainWidth && X + WIDTH > mainX && Y < mainY + mainHeight && Y + HEIGHT > mainY)); then
    ((Y >= mainY + 1260 / 15)) || fail "成績グラフ at ${X},${Y} covers the main window's buttons"
fi
# The position chart: Ctrl+Tab turns the window's tabs.
xdotool windowfocus --sync "$stats" key ctrl+Tab
sleep 0.7
import -window root "$out/stats-positions.png"
xdotool key ctrl+Tab
sleep 0.7
import -window root "$out/stats-summary.png"

# Back in the main window, Shift+F10 and the same entry raise the one window.
xdotool windowfocus --sync "$win"
sleep 0.3
xdotool key shift+F10
sleep 0.5
xdotool key g
sleep 0.7
count=$(windows_named '^成績グラフ$' | wc -l) || true
[ "$count" = 1 ] || fail "$count windows 成績グラフ after asking twice"

# Escape in 成績グラフ closes it.
xdotool windowfocus --sync "$stats" key Escape
sleep 0.7
count=$(xdotool search --onlyvisible --name '^成績グラフ$' 2>/dev/null | wc -l) || true
[ "$count" = 0 ] || fail "成績グラフ still open after Escape"

kill "$pid"
wait "$pid" 2>/dev/null || true
echo "PASS"
