#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# One drill in the real program on a real X server: starts it with a 0-second display time,
# presses Start with the mouse, waits for the countdown and the display to run out and checks
# screenshots of the window: the cover is back over the digit row, answer boxes 1 to 5 are open
# below it (box 6 is not) and the time bar is all red. The screenshots are kept.
# Usage: drill.sh BINARY ARTIFACT_DIR   (run inside xvfb-run; exits 77 if a tool is missing)
set -euo pipefail
bin=$1
out=$2

for tool in xdotool import convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
mkdir -p "$out"
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

printf '5,0,0\r\n' >"$work/設定.txt"
: >"$work/履歴.txt"
(cd "$work" && exec "$bin") >"$work/app.log" 2>&1 &
pid=$!
win=
for _ in $(seq 80); do
    kill -0 "$pid" 2>/dev/null || break
    win=$(xdotool search --onlyvisible --name 'ケタモリ！' 2>/dev/null | head -n 1) || true
    [ -n "$win" ] && break
    sleep 0.25
done
if [ -z "$win" ]; then
    echo "FAIL: the window did not appear on $DISPLAY:" >&2
    cat "$work/app.log" >&2
    exit 1
fi

# Positions in pixels within the window (15 twips to a pixel; without a window manager the
# window is its client area). Frame1 lies at (6, 87).
shot() { import -window "$win" "$out/drill-$1.png"; }
# Prints how many pixels of an area (width height left top) of a screenshot have a colour.
count() {
    convert "$out/drill-$1.png" -crop "$2x$3+$4+$5" +repage txt:- |
        awk -v c="$6" 'NR > 1 && $3 == c { n++ } END { print n + 0 }'
}
# The cover over the digit row shows only its white ground and light grey hatching.
cover_shown() {
    local white grey
    white=$(count "$1" 400 40 60 170 '#FFFFFF')
    grey=$(count "$1" 400 40 60 170 '#C0C0C0')
    [ "$white" -gt 1000 ] && [ "$grey" -gt 1000 ] && [ $((white + grey)) -eq 16000 ]
}
# An open, empty answer box is white; box i lies at x = 21 + 39 * (i - 1), y = 228.
box_open() {
    local left=$((21 + 39 * ($2 - 1) + 6))
    [ "$(count "$1" 24 40 "$left" 240 '#FFFFFF')" -ge 900 ]
}
# The time bar's fill, inside its one-pixel border, is all red once the blue bar is gone.
bar_red() { [ "$(count "$1" 500 3 60 151 '#FF0000')" -eq 1500 ]; }

sleep 0.5
shot before
cover_shown before || { echo "FAIL: no cover on the first screen" >&2; exit 1; }
if box_open before 1; then echo "FAIL: an answer box is open before any drill" >&2; exit 1; fi
if bar_red before; then echo "FAIL: the time bar is red before any drill" >&2; exit 1; fi

# cmdStart lies at (290, 10), 56 by 61 pixels.
xdotool mousemove --window "$win" 318 40 click 1

# The countdown takes three ticks of one second, the 0-second display one more of half a second.
for _ in $(seq 40); do
    sleep 0.25
    shot after
    box_open after 1 && break
done
box_open after 1 || { echo "FAIL: the answer boxes did not open" >&2; exit 1; }
sleep 0.3
shot after
failed=0
cover_shown after || { echo "FAIL: the cover is not back over the digit row" >&2; failed=1; }
for i in 1 2 3 4 5; do
    box_open after "$i" || { echo "FAIL: answer box $i is not open" >&2; failed=1; }
done
if box_open after 6; then echo "FAIL: answer box 6 is open with 5 digits" >&2; failed=1; fi
bar_red after || { echo "FAIL: the time bar is not all red" >&2; failed=1; }
[ "$failed" -eq 0 ] || exit 1
echo "PASS: cover back, answer boxes 1-5 open, time bar empty"
